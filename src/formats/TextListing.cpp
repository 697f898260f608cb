#include "TextListing.h"

#include "CellText.h"
#include "FileIO.h"
#include "TReelkeepSerialiazer.h"

namespace reelkeep {

void SaveToText(const QString& fileName, const TZKLists& lists, bool keepEveryCharacter)
{
    qint64 lost = 0;
    QByteArray out;
    for (const auto& list : lists.Lists) {
        for (const RowPtr& row : list->Items()) {
            for (int n = 0; n < kStoredColumnCount; ++n) {
                const QString& text = row->Fields[static_cast<size_t>(n)];
                if (text.isEmpty())
                    continue;
                lost += AppendText8(out, list->GetColumnName(n), false);
                out += ": ";
                lost += AppendText8(out, text, false);
                out += "\r\n";
            }
            out += "\r\n";
        }
    }
    if (keepEveryCharacter && lost > 0)
        throw CharactersWouldBeLost(Message("CharactersWouldBeLost").arg(fileName));
    WriteFileAtomically(fileName, out);
}

} // namespace reelkeep
