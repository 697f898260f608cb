#include "NestedCatalogue.h"

#include "RealisticCatalogue.h"

namespace reelkeep::bench {

std::unique_ptr<TZKLists> makeNestedCatalogue(int rows, RecordSize size)
{
    const auto source = makeRealisticList(rows);
    auto lists = std::make_unique<TZKLists>(BuiltInColumnDefinitions(), LocaleFormats::russian());
    lists->Autor = QStringLiteral("Benchmark");
    TZKList& list = *lists->AddList(rows, QString::fromUtf8("Фильмы"));
    for (int c = 0; c < kStoredColumnCount; ++c)
        list.SetColumnName(c, BuiltInColumnDefinitions()[size_t(c)].name);
    TzkRow* group = nullptr;
    for (int i = 0; i < source->RowCount(); ++i) {
        const bool nested = group && i % 20 != 0 && i % 20 <= 3;
        TzkRow* row = list.AddRow(nested ? group : nullptr);
        row->Fields = source->Row(i)->Fields;
        if (size == RecordSize::Typical) {
            row->Fields[csDescription].truncate(30);
            row->Fields[csActors] = row->Fields[csActors].section(QStringLiteral(", "), 0, 0); // the lead actor
        }
        if (i % 20 == 0)
            group = row;
    }
    return lists;
}

const TZKLists& hundredThousandRecords(bool typicalRecords)
{
    static const auto full = makeNestedCatalogue(100000);
    static const auto typical = makeNestedCatalogue(100000, RecordSize::Typical);
    return typicalRecords ? *typical : *full;
}

const QTemporaryDir& scratchFolder()
{
    static const QTemporaryDir dir;
    return dir;
}

} // namespace reelkeep::bench
