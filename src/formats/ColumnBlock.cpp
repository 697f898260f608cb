#include "ColumnBlock.h"

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

} // namespace reelkeep
