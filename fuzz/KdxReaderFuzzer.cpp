// Feeds arbitrary bytes to one reader of the .kdx family (chosen when building,
// see CMakeLists.txt) or to the text form reader: each must return a catalogue or
// throw ReelkeepError, and never crash, hang, leak or allocate beyond the input.
#include "FuzzInputFile.h"
#include "ReelkeepError.h"
#include "TReelkeepSerialiazerV1_0.h"
#include "TReelkeepSerialiazerV1_1.h"
#include "TReelkeepSerialiazerV1_3.h"
#include "TReelkeepSerialiazerV2_0.h"
#include "TReelkeepSerialiazerV2_1.h"
#include "TzkReelkeep.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
#ifdef FUZZ_TEXT_FORM
        reelkeep::TzkReelkeep doc;
        doc.CurrentList = 1;
        doc.AddList(0, QStringLiteral("current"));
        doc.MergeFromString(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
#else
        const QString fileName = reelkeep::fuzzing::WriteInputFile(data, size, "kdx");
        FUZZ_READER reader;
        reader.OnProgress = [](int) {};
        reader.Load(fileName);
#endif
    } catch (const reelkeep::ReelkeepError&) {
    }
    return 0;
}
