// Reads and writes the binary catalogue file of version 2.0: flat lists of records
// with their images.
#pragma once

#include "TReelkeepSerialiazer.h"

namespace reelkeep {

class TReelkeepSerialiazerV2_0 : public TReelkeepSerialiazer {
public:
    std::unique_ptr<TZKLists> Load(const QString& fileName) override;
    void Save(const QString& fileName, const TZKLists& lists) override;
};

} // namespace reelkeep
