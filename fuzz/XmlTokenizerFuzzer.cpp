// Feeds arbitrary bytes to the fast XML tokenizer and to expat: whenever the fast one
// takes a file, expat must take it too and report the same events in the same places.
#include "FuzzInputFile.h"
#include "../tests/formats/XmlEventLog.h"

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using reelkeep::XmlFileParser;
    const QString fileName = reelkeep::fuzzing::WriteInputFile(data, size, "xml");
    const auto fast = reelkeep::testing::XmlEvents(fileName, XmlFileParser::Tokenizer::Fast);
    if (fast && fast != reelkeep::testing::XmlEvents(fileName, XmlFileParser::Tokenizer::General)) {
        std::fputs("the fast tokenizer took a file otherwise than expat\n", stderr);
        abort();
    }
    return 0;
}
