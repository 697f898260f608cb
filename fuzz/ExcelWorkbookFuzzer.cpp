// Feeds arbitrary bytes to the .xls reader: it must throw ReelkeepError or return
// lists, and never crash, hang or leak.
#include "ExcelWorkbook.h"
#include "FuzzInputFile.h"
#include "ReelkeepError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString fileName = reelkeep::fuzzing::WriteInputFile(data, size, "xls");
    try {
        reelkeep::TZKLists lists;
        reelkeep::LoadFromExcel(fileName, lists);
    } catch (const reelkeep::ReelkeepError&) {
    }
    return 0;
}
