#include "ColumnBlock.h"

#include <algorithm>

namespace reelkeep {

void ReadColumnBlock(BinaryReader& in, TZKList& list)
{
    for (int c = 0; c < kStoredColumnCount; ++c) {
        TzkColumn& column = list.Column(c);
        column.Name = in.readText();
        column.Type = in.readU8();
        column.LogicalValue = in.readText();
        column.Pattern = in.readText();
        column.NamesWithDot = in.readBool();
        column.SecondNames = in.readBool();
    }
}

void WriteColumnBlock(BinaryWriter& out, const TZKList& list)
{
    for (int c = 0; c < kStoredColumnCount; ++c) {
        const TzkColumn& column = list.Column(c);
        out.writeText(column.Name);
        out.writeU8(column.Type);
        out.writeText(column.LogicalValue);
        out.writeText(column.Pattern);
        out.writeBool(column.NamesWithDot);
        out.writeBool(column.SecondNames);
    }
}

void ReadBinaryLists(BinaryReader& in, TZKLists& lists, const ProgressCallback& onProgress, qint64 minRecordBytes,
                     const std::function<void(TZKList&)>& readRecord)
{
    lists.Autor = in.readText();
    // A count below one means no lists, as it always has.
    const qint32 listCount = in.checkedCount(std::max(in.readI32(), 0), 4 + 4 + kMinColumnBlockBytes, "WhatLists");
    for (qint32 l = 0; l < listCount; ++l) {
        const QString name = in.readText();
        const qint32 rowCount = in.checkedCount(in.readI32(), minRecordBytes, "WhatRecords");
        TZKList* list = lists.AddList(rowCount, name);
        ReadColumnBlock(in, *list);
        const RowProgress progress(onProgress, rowCount);
        for (qint32 n = 1; n <= rowCount; ++n) {
            progress.rowRead(n);
            readRecord(*list);
        }
    }
}

} // namespace reelkeep
