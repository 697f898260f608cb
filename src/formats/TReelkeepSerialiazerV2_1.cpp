#include "TReelkeepSerialiazerV2_1.h"

#include "ColumnBlock.h"
#include "FileIO.h"
#include "RowOrder.h"

#include <algorithm>

namespace reelkeep {
namespace {

// ID, group ID and child count (a Num of one digit at least each) and 21 empty cells.
constexpr qint64 kMinRowBytes = 3 * 5 + kStoredColumnCount * 4;

void readRow(BinaryReader& in, TZKList& list, TzkRow* parent, int depth)
{
    if (depth > kMaxRowNesting)
        in.fail(QStringLiteral("records nested more than %1 levels deep").arg(kMaxRowNesting));
    auto owned = std::make_unique<TzkRow>();
    owned->ID = in.readNum("record ID");
    in.readNum("group ID"); // the tree itself says which group a record belongs to
    for (int c = 0; c < kStoredColumnCount; ++c)
        owned->Fields[static_cast<size_t>(c)] = in.readCell();
    const qint32 childCount = in.checkedCount(in.readNum("number of nested records"), kMinRowBytes, "nested records");
    owned->Children.reserve(static_cast<size_t>(childCount));
    TzkRow* row = list.InsertRow(std::move(owned), parent);
    for (qint32 k = 0; k < childCount; ++k)
        readRow(in, list, row, depth + 1);
}

void writeRow(BinaryWriter& out, const TzkRow& row)
{
    out.writeNum(row.ID);
    out.writeNum(row.GroupID);
    for (int c = 0; c < kStoredColumnCount; ++c)
        out.writeCell(row.Fields[static_cast<size_t>(c)]);
    out.writeNum(row.ChildCount());
    for (const auto& child : row.Children)
        writeRow(out, *child);
}

} // namespace

std::unique_ptr<TZKLists> TReelkeepSerialiazerV2_1::Load(const QString& fileName)
{
    const QByteArray bytes = ReadWholeFile(fileName);
    BinaryReader in(bytes, fileName);
    in.skip(8);
    auto lists = NewLists();
    ReadBinaryLists(in, *lists, OnProgress, kMinRowBytes, [&in](TZKList& list) { readRow(in, list, nullptr, 1); });
    return lists;
}

void TReelkeepSerialiazerV2_1::Save(const QString& fileName, const TZKLists& lists)
{
    BinaryWriter out;
    out.writeBytes("kdx v2.1");
    out.writeText(lists.Autor);
    out.writeI32(lists.Count());
    for (const auto& list : lists.Lists) {
        out.writeText(list->Name);
        out.writeI32(list->RowCount());
        WriteColumnBlock(out, *list);
        for (const auto& row : list->Items())
            writeRow(out, *row);
    }
    WriteSaved(fileName, out.bytes(), out.lostCharacters());
}

} // namespace reelkeep
