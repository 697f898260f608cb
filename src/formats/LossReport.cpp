#include "LossReport.h"

#include "Biff8Workbook.h"
#include "CodePage.h"
#include "RowOrder.h"

#include <QSet>
#include <array>

namespace reelkeep {
namespace {

constexpr size_t kKindCount = size_t(LossKind::BadCharacters) + 1;

QString quoted(const QString& text)
{
    return u'"' + ShortenedForMessage(text) + u'"';
}

QString listPlace(const QString& list)
{
    return QStringLiteral("list ") + quoted(list);
}

QString recordPlace(const LossPlace& place)
{
    return QStringLiteral("record %1%2 of ")
               .arg(place.RecordId)
               .arg(place.RecordTitle.isEmpty() ? QString() : u' ' + quoted(place.RecordTitle))
        + listPlace(place.List);
}

QString columnPlace(const LossPlace& place)
{
    return QStringLiteral("column %1 %2 of ").arg(place.Column).arg(quoted(place.ColumnName)) + listPlace(place.List);
}

QString characterShown(char32_t code)
{
    if (!IsShowableCharacter(code))
        return CharacterCode(code);
    return QStringLiteral("\"%1\" (%2)").arg(QString::fromUcs4(&code, 1), CharacterCode(code));
}

char32_t characterAt(QStringView text, qsizetype at)
{
    return text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()
        ? QChar::surrogateToUcs4(text[at], text[at + 1])
        : text[at].unicode();
}

LossPlace listPlaceOf(const TZKList& list, LossPlace::Part part)
{
    LossPlace place;
    place.What = part;
    place.List = list.Name;
    return place;
}

LossPlace columnPlaceOf(const TZKList& list, int c, LossPlace::Part part)
{
    LossPlace place = listPlaceOf(list, part);
    place.Column = c;
    place.ColumnName = list.GetColumnName(c);
    return place;
}

LossPlace recordPlaceOf(const TZKList& list, qint32 id, const TzkRow* row, LossPlace::Part part)
{
    LossPlace place = listPlaceOf(list, part);
    place.RecordId = id;
    if (row)
        place.RecordTitle = row->Fields[csTitle];
    return place;
}

// The characters XML 1.0 can carry; a surrogate counts when it is half of a pair.
bool isXmlChar(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c))
        return i + 1 < text.size() && text[i + 1].isLowSurrogate();
    if (QChar::isLowSurrogate(c))
        return i > 0 && text[i - 1].isHighSurrogate();
    return c == u'\t' || c == u'\n' || c == u'\r' || (c >= 0x20 && c < 0xFFFE);
}

// True when a quick test shows that the form holds every character of the text;
// false only means the text needs a closer look. Written as one pass of comparisons
// without branches, which the compiler turns into vector code: this is what an
// ordinary save pays for the check.
bool surelyHeld(QStringView text, bool xml, bool nulBad)
{
    const char16_t* chars = text.utf16();
    const qsizetype n = text.size();
    unsigned odd = 0;
    if (xml) {
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = chars[i];
            odd |= unsigned(c < 0x20) | unsigned(char16_t(c - 0xD800) < 0x800) | unsigned(c >= 0xFFFE);
        }
    } else {
        // ASCII and the basic Cyrillic letters, which the 8-bit code page holds.
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = chars[i];
            odd |= unsigned(c >= 0x80 && char16_t(c - 0x410) >= 0x40) | unsigned(nulBad && c == 0);
        }
    }
    return odd == 0;
}

LossPlace withCharacter(LossPlace place, QStringView text, qsizetype at)
{
    place.Character = characterAt(text, at);
    return place;
}

class LossFinder {
public:
    LossFinder(const TZKLists& lists, CatalogueForm form, LossScan scan)
        : m_lists(lists), m_form(form), m_characters(scan == LossScan::Everything), m_page(CodePage::Default())
    {
    }

    LossReport run()
    {
        // The author and the column settings are kept by the same forms.
        const bool keepsSettings = m_form == CatalogueForm::Kdx20 || m_form == CatalogueForm::Kdx21
            || m_form == CatalogueForm::Xml;
        if (keepsSettings)
            text(m_lists.Autor, [] { return LossPlace{}; });
        else if (!m_lists.Autor.isEmpty() && m_form != CatalogueForm::TextListing)
            add(LossKind::Author, 1, [] { return LossPlace{}; });
        for (const auto& list : m_lists.Lists)
            scanList(*list, keepsSettings);
        LossReport report;
        report.Form = m_form;
        for (size_t k = 0; k < kKindCount; ++k)
            if (m_found[k].Count > 0)
                report.Losses.push_back(m_found[k]);
        return report;
    }

private:
    bool keepsNesting() const
    {
        return m_form == CatalogueForm::Kdx21 || m_form == CatalogueForm::Xml || m_form == CatalogueForm::Xls;
    }

    template <typename Place> void add(LossKind kind, qint64 count, Place&& place)
    {
        Loss& loss = m_found[size_t(kind)];
        if (loss.Count == 0) {
            loss.Kind = kind;
            loss.FirstPlace = place();
        }
        loss.Count += count;
    }

    // Counts the characters of one text the form cannot hold.
    template <typename Place> void text(QStringView value, Place&& place)
    {
        if (m_form == CatalogueForm::Xls) {
            // Only the length matters; the shortest limit is checked without a scan.
            if (value.size() > Biff8Workbook::kMaxWideText && !Biff8Workbook::Fits(value))
                add(LossKind::LongTexts, 1, place);
            return;
        }
        const bool xml = m_form == CatalogueForm::Xml;
        const bool nulBad = m_form == CatalogueForm::TextForm;
        if (!m_characters || surelyHeld(value, xml, nulBad))
            return;
        for (qsizetype i = 0; i < value.size(); ++i) {
            const QChar c = value[i];
            if (c.unicode() >= 0x20 && c.unicode() < 0x80)
                continue;
            if (xml ? !isXmlChar(value, i) : nulBad && c.unicode() == 0) {
                add(LossKind::BadCharacters, 1, [&] { return withCharacter(place(), value, i); });
            } else if (!xml && !m_page.holds(c)) {
                add(LossKind::Characters, 1, [&] { return withCharacter(place(), value, i); });
                if (c.isHighSurrogate() && i + 1 < value.size() && value[i + 1].isLowSurrogate())
                    ++i; // one character, two code units
            }
        }
    }

    void scanList(const TZKList& list, bool keepsColumnSettings)
    {
        if (m_form != CatalogueForm::TextListing)
            text(list.Name, [&] { return listPlaceOf(list, LossPlace::Part::ListName); });
        for (int c = 0; c < kStoredColumnCount; ++c) {
            const TzkColumn& column = list.Column(c);
            text(column.Name, [&] { return columnPlaceOf(list, c, LossPlace::Part::ColumnName); });
            if (keepsColumnSettings) {
                text(column.Pattern, [&] { return columnPlaceOf(list, c, LossPlace::Part::ColumnPattern); });
                text(column.LogicalValue, [&] { return columnPlaceOf(list, c, LossPlace::Part::ColumnLogicalValue); });
            } else if (m_form != CatalogueForm::TextListing && columnSettingsLost(column, c)) {
                add(LossKind::ColumnSettings, 1, [&] { return columnPlaceOf(list, c, LossPlace::Part::Column); });
            }
        }
        if (m_form == CatalogueForm::Xls && RowCountAllLevels(list) + 1 > Biff8Workbook::kMaxRows)
            add(LossKind::TooManyRecords, 1, [&] { return listPlaceOf(list, LossPlace::Part::List); });

        const auto cells = [&](const TzkRow& row) {
            for (int c = 0; c < kStoredColumnCount; ++c)
                text(row.Fields[size_t(c)], [&] {
                    LossPlace place = recordPlaceOf(list, row.ID, &row, LossPlace::Part::Cell);
                    place.Column = c;
                    place.ColumnName = list.GetColumnName(c);
                    return place;
                });
        };
        QSet<qint32> keptIds; // records whose images the form keeps
        if (keepsNesting()) {
            // Without the characters, only an .xls cell can lose something.
            if (m_characters || m_form == CatalogueForm::Xls)
                ForEachRowDepthFirst(list, cells);
        } else {
            for (const RowPtr& row : list.Items()) {
                cells(*row);
                if (m_form == CatalogueForm::Kdx20 && !list.Images.Images.empty())
                    keptIds.insert(row->ID);
                if (!row->Children.empty())
                    countNested(list, *row);
            }
        }
        if (m_form == CatalogueForm::Xml && !list.Images.Images.empty())
            ForEachRowDepthFirst(list, [&keptIds](const TzkRow& row) { keptIds.insert(row.ID); });
        // The rest is lost; images of no record are lost by every form.
        const TImagePack& images = list.Images;
        for (size_t i = 0; i < images.Images.size(); ++i) {
            const qint32 owner = images.OwnerIDs[i];
            if (keptIds.contains(owner))
                continue;
            add(LossKind::Images, 1, [&] { return recordPlaceOf(list, owner, list.FindRowByID(owner), LossPlace::Part::RecordImages); });
        }
    }

    void countNested(const TZKList& list, const TzkRow& parent)
    {
        qint64 count = 0;
        const TzkRow* first = parent.Children.front().get();
        std::vector<const TzkRow*> pending{&parent};
        while (!pending.empty()) {
            const TzkRow* row = pending.back();
            pending.pop_back();
            for (const RowPtr& child : row->Children) {
                ++count;
                pending.push_back(child.get());
            }
        }
        add(LossKind::NestedRecords, count, [&] { return recordPlaceOf(list, first->ID, first, LossPlace::Part::Record); });
    }

    // Whether reading the form back gives the column other settings than it has:
    // .kdx 1.3 takes patterns from the settings, the others from the built-in table.
    bool columnSettingsLost(const TzkColumn& column, int c) const
    {
        const ColumnDefinition& builtIn = BuiltInColumnDefinitions()[size_t(c)];
        const QString& pattern = m_form == CatalogueForm::Kdx13 ? m_lists.ColumnTemplate[size_t(c)].pattern : builtIn.pattern;
        return column.Type != builtIn.type || column.Pattern != pattern || column.LogicalValue != builtIn.logicalValue
            || column.NamesWithDot != builtIn.namesWithDot || column.SecondNames != builtIn.secondNames;
    }

    const TZKLists& m_lists;
    const CatalogueForm m_form;
    const bool m_characters;
    const CodePage& m_page;
    std::array<Loss, kKindCount> m_found{};
};

QString counted(qint64 n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

QString lossLine(const Loss& loss, CatalogueForm form)
{
    const qint64 n = loss.Count;
    QString what, keepers;
    switch (loss.Kind) {
    case LossKind::Images:
        what = counted(n, "image", "images");
        keepers = QStringLiteral(".xkdx keeps images, nesting and every character, the one form that loses nothing; "
                                 ".kdx version 2.0 keeps images (but no nested records)");
        break;
    case LossKind::NestedRecords:
        what = counted(n, "nested record", "nested records");
        keepers = QStringLiteral(".kdx version 2.1, .xkdx and .xls keep them");
        break;
    case LossKind::Characters:
        what = counted(n, "character", "characters")
            + QStringLiteral(" outside the %1 code page, which become \"?\"").arg(QString::fromLatin1(CodePage::Default().name()));
        keepers = QStringLiteral(".xkdx and .xls keep them");
        break;
    case LossKind::Author:
        what = QStringLiteral("the author");
        keepers = QStringLiteral(".kdx version 2.0 or 2.1 and .xkdx keep it");
        break;
    case LossKind::ColumnSettings:
        what = QStringLiteral("the type, pattern or options of ") + counted(n, "column", "columns");
        keepers = QStringLiteral(".kdx version 2.0 or 2.1 and .xkdx keep them");
        break;
    case LossKind::LongTexts:
        what = counted(n, "text", "texts")
            + QStringLiteral(" longer than an .xls cell holds (%1 characters, %2 when all are Latin-1)")
                  .arg(Biff8Workbook::kMaxWideText)
                  .arg(Biff8Workbook::kMaxNarrowText);
        keepers = QStringLiteral(".kdx and .xkdx keep them");
        break;
    case LossKind::TooManyRecords:
        what = counted(n, "list", "lists")
            + QStringLiteral(" with more records than an .xls worksheet holds (%1)").arg(Biff8Workbook::kMaxRows - 1);
        keepers = QStringLiteral(".kdx and .xkdx keep them");
        break;
    case LossKind::BadCharacters:
        what = form == CatalogueForm::Xml ? counted(n, "control character", "control characters")
                                                + QStringLiteral(" that XML cannot store")
                                          : counted(n, "NUL character", "NUL characters")
                                                + QStringLiteral(" that cannot be passed on as text");
        keepers = QStringLiteral(".kdx and .xls keep them");
        break;
    }
    if (loss.Kind == LossKind::Author) // one text, and it says where it is
        return QStringLiteral("- %1; %2.\n").arg(what, keepers);
    return QStringLiteral("- %1 (the first: %2); %3.\n").arg(what, loss.FirstPlace.English(), keepers);
}

} // namespace

QString ShortenedForMessage(const QString& text)
{
    constexpr qsizetype kShown = 40;
    QString shown = text.left(kShown);
    if (!shown.isEmpty() && shown.back().isHighSurrogate())
        shown.chop(1);
    shown.replace(QLatin1String("\r\n"), QLatin1String(" "));
    return text.size() > shown.size() ? shown + u'…' : shown;
}

QString CharacterCode(char32_t character)
{
    return QStringLiteral("U+%1").arg(QString::number(character, 16).toUpper().rightJustified(4, u'0'));
}

bool IsShowableCharacter(char32_t code)
{
    return !(code < 0x20 || code == 0x7F || (code >= 0xD800 && code < 0xE000) || (code >= 0xFFFE && code <= 0xFFFF));
}

QString LossPlace::English() const
{
    using P = Part;
    QString where;
    switch (What) {
    case P::Author: where = QStringLiteral("the author"); break;
    case P::ListName: where = QStringLiteral("the name of ") + listPlace(List); break;
    case P::List: where = listPlace(List); break;
    case P::ColumnName: where = QStringLiteral("the name of ") + columnPlace(*this); break;
    case P::ColumnPattern: where = QStringLiteral("the pattern of ") + columnPlace(*this); break;
    case P::ColumnLogicalValue: where = QStringLiteral("the logical value of ") + columnPlace(*this); break;
    case P::Column: where = columnPlace(*this); break;
    case P::Cell: where = QStringLiteral("column %1 of ").arg(Column) + recordPlace(*this); break;
    case P::Record: where = recordPlace(*this); break;
    case P::RecordImages: where = QStringLiteral("the images of ") + recordPlace(*this); break;
    }
    return Character ? characterShown(*Character) + QStringLiteral(" in ") + where : where;
}

bool LossReport::PreventsSaving() const
{
    for (const Loss& loss : Losses)
        if (loss.Kind >= LossKind::LongTexts)
            return true;
    return false;
}

const Loss* LossReport::Find(LossKind kind) const
{
    for (const Loss& loss : Losses)
        if (loss.Kind == kind)
            return &loss;
    return nullptr;
}

QString LossReport::Message(const QString& fileName) const
{
    if (Losses.empty())
        return QString();
    const bool prevents = PreventsSaving();
    const QString target = fileName.isEmpty() ? QStringLiteral("the catalogue") : u'"' + fileName + u'"';
    QString message = prevents ? QStringLiteral("%1 cannot be saved as %2:\n").arg(target, FormName(Form))
                               : QStringLiteral("Saving %1 as %2 would lose:\n").arg(target, FormName(Form));
    for (const Loss& loss : Losses)
        if (!prevents || loss.Kind >= LossKind::LongTexts)
            message += lossLine(loss, Form);
    message.chop(1);
    return message;
}

LossReport FindLoss(const TZKLists& lists, CatalogueForm form, LossScan scan)
{
    return LossFinder(lists, form, scan).run();
}

} // namespace reelkeep
