// Reads and writes the binary catalogue file of version 2.1, the form every .kdx
// save writes: lists of nested records, no images.
#pragma once

#include "TReelkeepSerialiazer.h"

namespace reelkeep {

class TReelkeepSerialiazerV2_1 : public TReelkeepSerialiazer {
public:
    std::unique_ptr<TZKLists> Load(const QString& fileName) override;
    void Save(const QString& fileName, const TZKLists& lists) override;
};

} // namespace reelkeep
