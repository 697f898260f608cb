// Feeds arbitrary bytes to the XML catalogue reader: it must throw ReelkeepError
// or return a catalogue, and never crash, hang or leak. A catalogue it returns holds
// only images of its own records and within the image limit.
#include "FuzzInputFile.h"
#include "LoadLimits.h"
#include "ReelkeepError.h"
#include "TReelkeepXMLSerialiazerV2_1.h"

#include <cstdio>
#include <cstdlib>

namespace {

void checkImages(const reelkeep::TZKLists& lists)
{
    for (const auto& list : lists.Lists) {
        const reelkeep::TImagePack& images = list->Images;
        for (size_t i = 0; i < images.Images.size(); ++i) {
            if (!list->FindRowByID(images.OwnerIDs[i]) || images.Images[i].size() > reelkeep::kMaxImageBytes) {
                std::fputs("the reader kept an image of no record or over the limit\n", stderr);
                std::abort();
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString fileName = reelkeep::fuzzing::WriteInputFile(data, size, "xkdx");
    try {
        reelkeep::TReelkeepXMLSerialiazerV2_1 reader;
        reader.OnProgress = [](int) {};
        checkImages(*reader.Load(fileName));
    } catch (const reelkeep::ReelkeepError&) {
    }
    return 0;
}
