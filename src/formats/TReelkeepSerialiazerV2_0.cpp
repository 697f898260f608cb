#include "TReelkeepSerialiazerV2_0.h"

#include "ColumnBlock.h"
#include "FileIO.h"
#include "LoadLimits.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace reelkeep {
namespace {

// ID (a Num of one digit at least), 21 empty cells and an image count.
constexpr qint64 kMinV20RowBytes = 5 + kStoredColumnCount * 4 + 4;

void ReadImages(BinaryReader& in, TImagePack& images, qint32 rowId)
{
    const qint32 count = in.checkedCount(in.readI32(), 4, "WhatImages");
    for (qint32 k = 0; k < count; ++k) {
        const QByteArrayView bytes = in.readStr();
        if (bytes.size() > kMaxImageBytes)
            in.fail(Message("ImageOfRecordIs").arg(k).arg(rowId).arg(ImageOverLimit(bytes.size())));
        images.AddImage(bytes.toByteArray(), rowId);
    }
}

// The positions of each row's images in insertion order, found in one pass.
std::unordered_map<qint32, std::vector<size_t>> imagesByRow(const TImagePack& images)
{
    std::unordered_map<qint32, std::vector<size_t>> byRow;
    for (size_t i = 0; i < images.OwnerIDs.size(); ++i)
        byRow[images.OwnerIDs[i]].push_back(i);
    return byRow;
}

void WriteImages(BinaryWriter& out, const TImagePack& images,
                 const std::unordered_map<qint32, std::vector<size_t>>& byRow, qint32 rowId)
{
    const auto found = byRow.find(rowId);
    if (found == byRow.end()) {
        out.writeI32(0);
        return;
    }
    out.writeI32(static_cast<qint32>(found->second.size()));
    for (const size_t i : found->second)
        out.writeStr(images.Images[i]);
}

} // namespace

std::unique_ptr<TZKLists> TReelkeepSerialiazerV2_0::Load(const QString& fileName)
{
    const QByteArray bytes = ReadWholeFile(fileName);
    BinaryReader in(bytes, fileName);
    in.skip(8);
    in.skip(4);
    auto lists = NewLists();
    ReadBinaryLists(in, *lists, OnProgress, kMinV20RowBytes, [&in](TZKList& list) {
        auto row = std::make_unique<TzkRow>();
        row->ID = in.readNum("FieldRecordId");
        for (int c = 0; c < kStoredColumnCount; ++c)
            row->Fields[static_cast<size_t>(c)] = in.readCell();
        ReadImages(in, list.Images, row->ID);
        list.InsertRow(std::move(row));
    });
    return lists;
}

void TReelkeepSerialiazerV2_0::Save(const QString& fileName, const TZKLists& lists)
{
    BinaryWriter out;
    out.writeBytes("kdx v2.0");
    out.writeI32(0);
    out.writeText(lists.Autor);
    out.writeI32(lists.Count());
    for (const auto& list : lists.Lists) {
        const auto byRow = imagesByRow(list->Images);
        out.writeText(list->Name);
        out.writeI32(list->RowCount());
        WriteColumnBlock(out, *list);
        for (const auto& row : list->Items()) {
            out.writeNum(row->ID);
            for (int c = 0; c < kStoredColumnCount; ++c)
                out.writeCell(row->Fields[static_cast<size_t>(c)]);
            WriteImages(out, list->Images, byRow, row->ID);
        }
    }
    WriteSaved(fileName, out.bytes(), out.lostCharacters());
}

} // namespace reelkeep
