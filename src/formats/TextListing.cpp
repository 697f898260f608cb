#include "TextListing.h"

#include "CodePage.h"
#include "FileIO.h"

namespace reelkeep {

void SaveToText(const QString& fileName, const TZKLists& lists)
{
    const CodePage& page = CodePage::Default();
    QByteArray out;
    for (const auto& list : lists.Lists) {
        for (const RowPtr& row : list->Items()) {
            for (int n = 0; n < kStoredColumnCount; ++n) {
                const QString& text = row->Fields[static_cast<size_t>(n)];
                if (text.isEmpty())
                    continue;
                out += page.encode(list->GetColumnName(n));
                out += ": ";
                out += page.encode(text);
                out += "\r\n";
            }
            out += "\r\n";
        }
    }
    WriteFileAtomically(fileName, out);
}

} // namespace reelkeep
