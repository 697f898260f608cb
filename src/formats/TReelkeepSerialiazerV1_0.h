// Reads the text catalogue file of version 1.0: one list of 17 columns.
#pragma once

#include "TReelkeepSerialiazer.h"

namespace reelkeep {

class TReelkeepSerialiazerV1_0 : public TReelkeepSerialiazer {
public:
    std::unique_ptr<TZKLists> Load(const QString& fileName) override;
};

} // namespace reelkeep
