// One column of a list: its definition as stored in the catalogue, plus its filter.
#pragma once

#include <QString>
#include <cstdint>

namespace reelkeep {

class TzkColumn {
public:
    QString Name;
    bool NamesWithDot = false;
    bool SecondNames = false;
    std::uint8_t Type = 0;
    QString LogicalValue;
    QString Pattern;
    std::int32_t Width = 0;
    QString FilterText;
};

} // namespace reelkeep
