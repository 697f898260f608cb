#include "TzkReelkeep.h"

#include "ExcelWorkbook.h"
#include "FileIO.h"
#include "LossReport.h"
#include "ReelkeepError.h"
#include "TReelkeepSerialiazerV1_0.h"
#include "TReelkeepSerialiazerV1_1.h"
#include "TReelkeepSerialiazerV1_3.h"
#include "TReelkeepSerialiazerV2_0.h"
#include "TReelkeepSerialiazerV2_1.h"
#include "TReelkeepXMLSerialiazerV2_1.h"
#include "TextCatalogue.h"
#include "TextListing.h"


namespace reelkeep {
namespace {

struct KdxReader {
    std::unique_ptr<TReelkeepSerialiazer> serializer;
    CatalogueForm form; // the form a save writes back
};

// The reader for the first line of a .kdx file, or none. The binary versions begin
// with their 8-byte signature; the text versions have it as their whole first line.
KdxReader ReaderFor(const QString& fileName)
{
    // Eight bytes decide, and a ninth tells whether a seven-character line ends there.
    QByteArray line = ReadFileStart(fileName, 9);
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '\r' || line[i] == '\n') {
            line.truncate(i);
            break;
        }
    }
    const QByteArray s8 = line.left(8);
    if (s8 == "kdx 17 ")
        return {std::make_unique<TReelkeepSerialiazerV1_0>(), CatalogueForm::Kdx21};
    if (s8 == "kdx v1.1")
        return {std::make_unique<TReelkeepSerialiazerV1_1>(), CatalogueForm::Kdx21};
    if (s8 == "kdx v1.3")
        return {std::make_unique<TReelkeepSerialiazerV1_3>(), CatalogueForm::Kdx13};
    if (s8 == "kdx v2.0")
        return {std::make_unique<TReelkeepSerialiazerV2_0>(), CatalogueForm::Kdx20};
    if (s8 == "kdx v2.1")
        return {std::make_unique<TReelkeepSerialiazerV2_1>(), CatalogueForm::Kdx21};
    return {nullptr, CatalogueForm::Kdx21};
}

} // namespace

TzkReelkeep::TzkReelkeep(ColumnDefinitions columnTemplate, LocaleFormats formats)
    : m_lists(std::make_unique<TZKLists>(std::move(columnTemplate), std::move(formats)))
{
}

std::unique_ptr<TZKLists> TzkReelkeep::NewLists() const
{
    return std::make_unique<TZKLists>(m_lists->ColumnTemplate, m_lists->Formats);
}

template <class Serializer> Serializer TzkReelkeep::Prepared(bool keepEveryCharacter) const
{
    Serializer serializer;
    serializer.KeepEveryCharacter = keepEveryCharacter;
    serializer.OnProgress = OnProgress;
    serializer.ColumnTemplate = m_lists->ColumnTemplate;
    serializer.Formats = m_lists->Formats;
    return serializer;
}

void TzkReelkeep::Replace(std::unique_ptr<TZKLists> lists)
{
    // The settings' template stays the document's, whatever the reader was given.
    lists->ColumnTemplate = m_lists->ColumnTemplate;
    lists->Formats = m_lists->Formats;
    m_lists = std::move(lists);
}

void TzkReelkeep::Append(std::unique_ptr<TZKLists> lists)
{
    for (auto& list : lists->Lists)
        m_lists->Lists.push_back(std::move(list));
}

void TzkReelkeep::DoProgress(int value) const
{
    if (OnProgress)
        OnProgress(value);
}

bool TzkReelkeep::LoadFromFile(const QString& fileName)
{
    const KdxReader reader = ReaderFor(fileName);
    if (!reader.serializer)
        return false;
    reader.serializer->OnProgress = OnProgress;
    reader.serializer->ColumnTemplate = m_lists->ColumnTemplate;
    reader.serializer->Formats = m_lists->Formats;
    Replace(reader.serializer->Load(fileName));
    m_loadedForm = reader.form;
    DoProgress(100);
    return true;
}

void TzkReelkeep::SaveToFile(const QString& fileName) const
{
    Prepared<TReelkeepSerialiazerV2_1>().Save(fileName, *m_lists);
}

void TzkReelkeep::LoadFromXML(const QString& fileName)
{
    Replace(Prepared<TReelkeepXMLSerialiazerV2_1>().Load(fileName));
    m_loadedForm = CatalogueForm::Xml;
    DoProgress(100);
}

void TzkReelkeep::SaveToXML(const QString& fileName) const
{
    Prepared<TReelkeepXMLSerialiazerV2_1>().Save(fileName, *m_lists);
}

void TzkReelkeep::LoadFromExcel(const QString& fileName)
{
    std::unique_ptr<TZKLists> read = NewLists();
    reelkeep::LoadFromExcel(fileName, *read);
    Append(std::move(read));
    m_loadedForm = CatalogueForm::Xls;
}

void TzkReelkeep::SaveToExcel(const QString& fileName) const
{
    reelkeep::SaveToExcel(fileName, *m_lists);
}

void TzkReelkeep::SaveToText(const QString& fileName) const
{
    reelkeep::SaveToText(fileName, *m_lists);
}

void TzkReelkeep::Save(const QString& fileName, CatalogueForm form) const
{
    save(fileName, form, false);
}

bool TzkReelkeep::SaveIfNothingLost(const QString& fileName, CatalogueForm form) const
{
    if (!FindLoss(*m_lists, form, LossScan::AllButCharacters).IsEmpty())
        return false;
    try {
        save(fileName, form, true);
    } catch (const CharactersWouldBeLost&) {
        return false;
    }
    return true;
}

void TzkReelkeep::save(const QString& fileName, CatalogueForm form, bool keepEveryCharacter) const
{
    // XML holds every character it can store and refuses the others itself; .xls holds all.
    switch (form) {
    case CatalogueForm::Kdx13:
    case CatalogueForm::TextForm:
        Prepared<TReelkeepSerialiazerV1_3>(keepEveryCharacter).Save(fileName, *m_lists);
        return;
    case CatalogueForm::Kdx20:
        Prepared<TReelkeepSerialiazerV2_0>(keepEveryCharacter).Save(fileName, *m_lists);
        return;
    case CatalogueForm::Kdx21:
        Prepared<TReelkeepSerialiazerV2_1>(keepEveryCharacter).Save(fileName, *m_lists);
        return;
    case CatalogueForm::Xml:
        SaveToXML(fileName);
        return;
    case CatalogueForm::Xls:
        SaveToExcel(fileName);
        return;
    case CatalogueForm::TextListing:
        reelkeep::SaveToText(fileName, *m_lists, keepEveryCharacter);
        return;
    }
}

QByteArray TzkReelkeep::SaveToString() const
{
    return WriteTextCatalogue(*m_lists);
}

int TzkReelkeep::LoadFromString(const QByteArray& text, bool utf8)
{
    if (!text.startsWith("kdx v1.3\r") && !text.startsWith("kdx v1.3\n") && text != "kdx v1.3")
        throw FormatError(Message("TextNotCatalogue"));
    TextLayout layout;
    layout.requiredFirstLine = QByteArrayLiteral("kdx v1.3");
    layout.patternsFromTemplate = false;
    layout.ordinalInInternalCell = true;
    layout.utf8 = utf8;
    std::unique_ptr<TZKLists> read = NewLists();
    ReadTextCatalogue(text, Message("SourceText"), layout, *read, OnProgress);
    int records = 0;
    for (const auto& list : read->Lists)
        records += list->RowCount();
    Append(std::move(read));
    return records;
}

int TzkReelkeep::MergeFromString(const QByteArray& text, TzkRow* parent, bool utf8)
{
    TzkReelkeep incoming(m_lists->ColumnTemplate, m_lists->Formats);
    const int records = incoming.LoadFromString(text, utf8);
    auto current = [this]() { return CurrentList >= 1 && CurrentList <= ListCount() ? List(CurrentList - 1) : nullptr; };
    TZKList* const shown = current(); // the list whose record the parent is
    for (const auto& source : incoming.m_lists->Lists) {
        TZKList* target = nullptr;
        if (source->Name.isEmpty())
            target = current();
        else if (const int index = IndexOfList(source->Name); index >= 0)
            target = List(index);
        if (!target) {
            // A new list becomes the current one, as the window selects it.
            target = AddList(source->RowCount(), source->Name);
            for (int c = 0; c < kStoredColumnCount; ++c)
                target->SetColumnName(c, source->GetColumnName(c));
            CurrentList = ListCount();
        }
        TzkRow* const under = target == shown ? parent : nullptr;
        for (const auto& record : source->Items()) {
            TzkRow* row = target->AddRow(under);
            std::copy_n(record->Fields.begin(), kStoredColumnCount, row->Fields.begin());
        }
    }
    return records;
}

} // namespace reelkeep
