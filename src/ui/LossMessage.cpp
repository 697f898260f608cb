#include "LossMessage.h"

#include "Biff8Workbook.h"
#include "CodePage.h"
#include "Plural.h"

#include <QStringList>

namespace reelkeep {
namespace {

constexpr auto kLossSection = "LossReport";

class LossWording {
public:
    explicit LossWording(const TextLookup& text) : m_text(text) {}

    QString operator()(const char* key) const { return m_text(QLatin1String(kLossSection), QLatin1String(key)); }
    // The text's form that agrees with the count it starts with ("1 изображение", "5 изображений").
    QString counted(const char* key, qint64 count) const { return PluralForm((*this)(key), count); }

    QString form(CatalogueForm form) const
    {
        switch (form) {
        case CatalogueForm::Kdx13: return (*this)("FormKdx13");
        case CatalogueForm::Kdx20: return (*this)("FormKdx20");
        case CatalogueForm::Kdx21: return (*this)("FormKdx21");
        case CatalogueForm::Xml: return (*this)("FormXml");
        case CatalogueForm::Xls: return (*this)("FormXls");
        case CatalogueForm::TextListing: return (*this)("FormTextListing");
        case CatalogueForm::TextForm: return (*this)("FormTextForm");
        }
        return QString();
    }

    // Every argument goes in through one multi-argument arg(), so a "%2" inside a
    // list name or title is shown as typed and never taken for a placeholder.
    QString place(const LossPlace& place) const
    {
        using P = LossPlace::Part;
        const QString list = ShortenedForMessage(place.List);
        const QString column = QString::number(place.Column);
        const QString columnName = ShortenedForMessage(place.ColumnName);
        const QString record = QString::number(place.RecordId);
        const QString title = ShortenedForMessage(place.RecordTitle);
        QString where;
        switch (place.What) {
        case P::Author: where = (*this)("PlaceAuthor"); break;
        case P::ListName: where = (*this)("PlaceListName").arg(list); break;
        case P::List: where = (*this)("PlaceList").arg(list); break;
        case P::ColumnName: where = (*this)("PlaceColumnName").arg(list, column, columnName); break;
        case P::ColumnPattern: where = (*this)("PlaceColumnPattern").arg(list, column, columnName); break;
        case P::ColumnLogicalValue: where = (*this)("PlaceColumnLogicalValue").arg(list, column, columnName); break;
        case P::Column: where = (*this)("PlaceColumn").arg(list, column, columnName); break;
        case P::Cell:
            where = title.isEmpty() ? (*this)("PlaceCellUntitled").arg(list, record, column, columnName)
                                    : (*this)("PlaceCell").arg(list, record, title, column, columnName);
            break;
        case P::Record:
        case P::RecordImages:
            where = title.isEmpty() ? (*this)("PlaceRecordUntitled").arg(list, record) : (*this)("PlaceRecord").arg(list, record, title);
            break;
        }
        if (!place.Character)
            return where;
        const char32_t character = *place.Character;
        if (!IsShowableCharacter(character))
            return (*this)("CharacterCode").arg(CharacterCode(character), where);
        return (*this)("Character").arg(QString::fromUcs4(&character, 1), CharacterCode(character), where);
    }

    QString line(const Loss& loss, CatalogueForm form) const
    {
        const QString count = QString::number(loss.Count);
        const QString first = place(loss.FirstPlace);
        QString what, keepers;
        switch (loss.Kind) {
        case LossKind::Images:
            what = counted("Images", loss.Count).arg(count, first);
            keepers = (*this)("ImagesKept");
            break;
        case LossKind::NestedRecords:
            what = counted("NestedRecords", loss.Count).arg(count, first);
            keepers = (*this)("NestedRecordsKept");
            break;
        case LossKind::Characters:
            what = counted("Characters", loss.Count).arg(count, first, QString::fromLatin1(CodePage::Default().name()));
            keepers = (*this)("CharactersKept");
            break;
        case LossKind::Author:
            what = (*this)("Author");
            keepers = (*this)("AuthorKept");
            break;
        case LossKind::ColumnSettings:
            what = counted("ColumnSettings", loss.Count).arg(count, first);
            keepers = (*this)("ColumnSettingsKept");
            break;
        case LossKind::LongTexts:
            what = counted("LongTexts", loss.Count).arg(count, first, QString::number(Biff8Workbook::kMaxWideText),
                                            QString::number(Biff8Workbook::kMaxNarrowText));
            keepers = (*this)("LongTextsKept");
            break;
        case LossKind::TooManyRecords:
            what = counted("TooManyRecords", loss.Count).arg(count, first, QString::number(Biff8Workbook::kMaxRows - 1));
            keepers = (*this)("TooManyRecordsKept");
            break;
        case LossKind::BadCharacters:
            what = counted(form == CatalogueForm::Xml ? "BadCharactersXml" : "BadCharactersText", loss.Count).arg(count, first);
            keepers = (*this)("BadCharactersKept");
            break;
        }
        return (*this)("Line").arg(what, keepers);
    }

private:
    const TextLookup& m_text;
};

} // namespace

QString FormWording(CatalogueForm form, const TextLookup& text)
{
    return LossWording(text).form(form);
}

QString LossMessage(const LossReport& report, const QString& fileName, const TextLookup& text)
{
    if (report.IsEmpty())
        return QString();
    const LossWording wording(text);
    const bool prevents = report.PreventsSaving();
    QStringList lines{wording(prevents ? "Refused" : "Lossy").arg(fileName, wording.form(report.Form))};
    for (const Loss& loss : report.Losses)
        if (!prevents || loss.Kind >= LossKind::LongTexts)
            lines << wording.line(loss, report.Form);
    return lines.join(u'\n');
}

} // namespace reelkeep
