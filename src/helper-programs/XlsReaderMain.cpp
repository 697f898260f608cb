// reelkeep-xls-reader FILE COLUMNS: the cells of an .xls workbook, read with
// FreeXL, as a dump on standard output (see FreeXlReader.h).
#include "FreeXlDump.h"
#include "HelperChannel.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    reelkeep::helper::KeepAnswersApart();
    if (argc != 3)
        return 2;
    const int columns = std::atoi(argv[2]);
    if (columns < 1 || columns > 256)
        return 2;
    bool written = true;
    reelkeep::DumpWorkbook(QByteArray(argv[1]), columns, [&written](QByteArrayView piece) {
        return written = reelkeep::helper::Write(piece);
    });
    return written ? 0 : 2;
}
