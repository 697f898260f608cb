// Feeds arbitrary bytes to the XML catalogue reader: it must throw ReelkeepError
// or return a catalogue, and never crash, hang or leak.
#include "FuzzInputFile.h"
#include "ReelkeepError.h"
#include "TReelkeepXMLSerialiazerV2_1.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString fileName = reelkeep::fuzzing::WriteInputFile(data, size, "xkdx");
    try {
        reelkeep::TReelkeepXMLSerialiazerV2_1 reader;
        reader.OnProgress = [](int) {};
        reader.Load(fileName);
    } catch (const reelkeep::ReelkeepError&) {
    }
    return 0;
}
