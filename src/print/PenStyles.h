// Pen styles of covers and printed lists, stored as the numbers 0 (solid) to
// 5 (clear), and the pens made from them.
#pragma once

#include <QColor>
#include <QPen>
#include <QString>
#include <cstdint>

namespace reelkeep {

enum PenStyleCode : std::uint8_t { psSolid = 0, psDash = 1, psDot = 2, psDashDot = 3, psDashDotDot = 4, psClear = 5 };

Qt::PenStyle ToQtPenStyle(int code);

// The style named in the list-printing settings: "dot", "dash", "dashdot",
// "dashdotdot", "clear" compared after lowering ASCII letters; any other name is solid.
std::uint8_t ListPenStyleFromText(const QString& text);

// A pen of the given style, whole-pixel width (at least 1) and colour, with flat
// ends so strokes stop exactly at their end points.
QPen MakePen(int styleCode, int widthPixels, const QColor& colour);

} // namespace reelkeep
