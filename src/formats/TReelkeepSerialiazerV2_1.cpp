#include "TReelkeepSerialiazerV2_1.h"

#include "ColumnBlock.h"
#include "FileIO.h"
#include "RowOrder.h"

#include <algorithm>
#include <future>
#include <system_error>

namespace reelkeep {
namespace {

// ID, group ID and child count (a Num of one digit at least each) and 21 empty cells.
constexpr qint64 kMinV21RowBytes = 3 * 5 + kStoredColumnCount * 4;

void readRow(BinaryReader& in, TZKList& list, TzkRow* parent, int depth)
{
    if (depth > kMaxRowNesting)
        in.fail(Message("NestedTooDeep").arg(kMaxRowNesting));
    auto owned = std::make_unique<TzkRow>();
    owned->ID = in.readNum("FieldRecordId");
    in.readNum("FieldGroupId"); // the tree itself says which group a record belongs to
    for (int c = 0; c < kStoredColumnCount; ++c)
        owned->Fields[static_cast<size_t>(c)] = in.readCell();
    const qint32 childCount = in.checkedCount(in.readNum("FieldNestedCount"), kMinV21RowBytes, "WhatNestedRecords");
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

// Encoding the records is most of a save, and it waits on memory more than on the
// processor: a large list is encoded in two halves at once, the later one on a
// second thread into a part of its own, which is written after the part before it.
void writeRows(std::vector<BinaryWriter>& parts, const std::vector<RowPtr>& rows)
{
    constexpr size_t kRowsWorthASecondThread = 10000;
    const auto encode = [&rows](BinaryWriter& into, size_t from, size_t to) {
        for (size_t i = from; i < to; ++i)
            writeRow(into, *rows[i]);
    };
    const size_t half = rows.size() / 2;
    std::future<BinaryWriter> later;
    if (rows.size() >= kRowsWorthASecondThread) {
        try {
            later = std::async(std::launch::async, [&encode, half, end = rows.size()] {
                BinaryWriter part;
                encode(part, half, end);
                return part;
            });
        } catch (const std::system_error&) {
            // No second thread to be had: all on this one.
        }
    }
    if (!later.valid()) {
        encode(parts.back(), 0, rows.size());
        return;
    }
    encode(parts.back(), 0, half);
    parts.push_back(later.get());
    parts.emplace_back();
}

} // namespace

std::unique_ptr<TZKLists> TReelkeepSerialiazerV2_1::Load(const QString& fileName)
{
    const QByteArray bytes = ReadWholeFile(fileName);
    BinaryReader in(bytes, fileName);
    in.skip(8);
    auto lists = NewLists();
    ReadBinaryLists(in, *lists, OnProgress, kMinV21RowBytes, [&in](TZKList& list) { readRow(in, list, nullptr, 1); });
    return lists;
}

void TReelkeepSerialiazerV2_1::Save(const QString& fileName, const TZKLists& lists)
{
    std::vector<BinaryWriter> parts(1);
    parts.back().writeBytes("kdx v2.1");
    parts.back().writeText(lists.Autor);
    parts.back().writeI32(lists.Count());
    for (const auto& list : lists.Lists) {
        parts.back().writeText(list->Name);
        parts.back().writeI32(list->RowCount());
        WriteColumnBlock(parts.back(), *list);
        writeRows(parts, list->Items());
    }
    std::vector<QByteArrayView> bytes;
    qint64 lost = 0;
    for (BinaryWriter& part : parts) {
        bytes.emplace_back(part.bytes());
        lost += part.lostCharacters();
    }
    WriteSaved(fileName, bytes, lost);
}

} // namespace reelkeep
