#include "TReelkeepSerialiazerV1_3.h"

#include "FileIO.h"
#include "TextCatalogue.h"

namespace reelkeep {

std::unique_ptr<TZKLists> TReelkeepSerialiazerV1_3::Load(const QString& fileName)
{
    auto lists = NewLists();
    ReadTextCatalogue(ReadWholeFile(fileName), Message("SourceFile").arg(fileName), TextLayout(), *lists, OnProgress);
    return lists;
}

void TReelkeepSerialiazerV1_3::Save(const QString& fileName, const TZKLists& lists)
{
    qint64 lost = 0;
    const QByteArray bytes = WriteTextCatalogue(lists, &lost);
    WriteSaved(fileName, bytes, lost);
}

} // namespace reelkeep
