// Feeds arbitrary bytes to the .xls reading code, in-process: FreeXL's reading as
// the helper executable does it, then the program's reading of the helper's dump.
// It must throw ReelkeepError or return lists, and never crash, hang or leak.
// FreeXL itself overruns a stack buffer and leaks on some damaged workbooks (in the
// program that costs the helper, not the program), so run it past those:
//   LSAN_OPTIONS=suppressions=fuzz/library-leaks.supp build-fuzz/fuzz/ExcelWorkbookFuzzer -fork=1 -ignore_crashes=1
// and look at the crashes whose stack does not start in libfreexl.
#include "ExcelWorkbook.h"
#include "FreeXlDump.h"
#include "FuzzInputFile.h"
#include "LoadLimits.h"
#include "ReelkeepError.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString fileName = reelkeep::fuzzing::WriteInputFile(data, size, "xls");
    QByteArray dump;
    const qint64 limit = reelkeep::MaxExpandedTextBytes(qint64(size));
    reelkeep::DumpWorkbook(QFile::encodeName(fileName), reelkeep::kWorkbookColumns, [&dump, limit](QByteArrayView piece) {
        dump.append(piece);
        return dump.size() <= limit;
    });
    try {
        reelkeep::TZKLists lists;
        reelkeep::LoadFromWorkbookCells(reelkeep::ParseWorkbookDump(dump, fileName, reelkeep::kWorkbookColumns), fileName, lists);
    } catch (const reelkeep::ReelkeepError&) {
    }
    return 0;
}
