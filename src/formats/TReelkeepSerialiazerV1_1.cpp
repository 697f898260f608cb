#include "TReelkeepSerialiazerV1_1.h"

#include "FileIO.h"
#include "TextCatalogue.h"

namespace reelkeep {

std::unique_ptr<TZKLists> TReelkeepSerialiazerV1_1::Load(const QString& fileName)
{
    TextLayout layout;
    layout.cellsPerRow = 17;
    layout.requiredFirstLine = QByteArrayLiteral("kdx v1.1");
    layout.whiteRowColour = true;
    layout.reportProgress = false;
    auto lists = NewLists();
    ReadTextCatalogue(ReadWholeFile(fileName), Message("SourceFile").arg(fileName), layout, *lists, OnProgress);
    return lists;
}

} // namespace reelkeep
