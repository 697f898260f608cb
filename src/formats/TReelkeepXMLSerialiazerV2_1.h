// The ".xkdx" catalogue: the content of binary format 2.1 plus column widths, as
// XML. Both directions stream, so no document tree of a large catalogue is built.
#pragma once

#include "TReelkeepSerialiazer.h"

namespace reelkeep {

class TReelkeepXMLSerialiazerV2_1 : public TReelkeepSerialiazer {
public:
    std::unique_ptr<TZKLists> Load(const QString& fileName) override;
    void Save(const QString& fileName, const TZKLists& lists) override;
};

} // namespace reelkeep
