#include "TReelkeepSerialiazerV1_0.h"

#include "FileIO.h"
#include "TextCatalogue.h"

namespace reelkeep {

std::unique_ptr<TZKLists> TReelkeepSerialiazerV1_0::Load(const QString& fileName)
{
    TextLayout layout;
    layout.cellsPerRow = 17;
    layout.severalLists = false;
    layout.whiteRowColour = true;
    layout.reportProgress = false;
    auto lists = NewLists();
    ReadTextCatalogue(ReadWholeFile(fileName), Message("SourceFile").arg(fileName), layout, *lists, OnProgress);
    return lists;
}

} // namespace reelkeep
