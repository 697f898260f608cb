// Reads and writes the text catalogue file of version 1.3: several lists of 21 columns.
#pragma once

#include "TReelkeepSerialiazer.h"

namespace reelkeep {

class TReelkeepSerialiazerV1_3 : public TReelkeepSerialiazer {
public:
    std::unique_ptr<TZKLists> Load(const QString& fileName) override;
    void Save(const QString& fileName, const TZKLists& lists) override;
};

} // namespace reelkeep
