// Reads the text catalogue file of version 1.1: several lists of 17 columns.
#pragma once

#include "TReelkeepSerialiazer.h"

namespace reelkeep {

class TReelkeepSerialiazerV1_1 : public TReelkeepSerialiazer {
public:
    std::unique_ptr<TZKLists> Load(const QString& fileName) override;
};

} // namespace reelkeep
