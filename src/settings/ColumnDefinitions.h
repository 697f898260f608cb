// The definitions of the 21 stored column slots: caption, type, fill pattern,
// options and initial width, with the built-in set the program ships with.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace reelkeep {

enum ColumnType : std::uint8_t { ctString = 0, ctNumber = 1, ctDate = 2 };

// Slots 0..19 are data columns, 20 the row colour, 21 internal and never stored.
constexpr int kColumnCount = 22;
constexpr int kStoredColumnCount = 21;

// Slots with fixed roles in the editing panel and in printing.
enum ColumnSlot : int {
    csNumber = 0, csTitle = 1, csOrigTitle = 2, csDiscs = 4, csDirectors = 13,
    csDescription = 14, csActors = 15, csDateAdded = 16, csColour = 20, csInternal = 21
};

struct ColumnDefinition {
    QString name;
    std::uint8_t type = ctString;
    QString pattern;
    QString logicalValue;
    bool namesWithDot = false;
    bool secondNames = false;
    std::int32_t width = 0;
    std::int32_t position = 0;
};

// One definition per stored slot. The settings store hands its own copy to the
// model; until it does, the built-in set serves.
using ColumnDefinitions = std::array<ColumnDefinition, kStoredColumnCount>;

const ColumnDefinitions& BuiltInColumnDefinitions();

// Cuts one cell into the separate values it holds, as the filter value list and auto-fill see them.
QStringList SplitValues(const QString& cell, bool namesWithDot, bool secondNames);

} // namespace reelkeep
