// The pens covers and printed lists draw with, made from the stored style codes
// (solid 0, dash 1, dot 2, dash-dot 3, dash-dot-dot 4, clear 5).
#pragma once

#include "zkOptions.h"

#include <QColor>
#include <QPen>

namespace reelkeep {

Qt::PenStyle ToQtPenStyle(int code);

// A pen of the given style, whole-pixel width (at least 1) and colour, with flat
// ends so strokes stop exactly at their end points.
QPen MakePen(int styleCode, int widthPixels, const QColor& colour);

// The colour of a settings pen (0x00BBGGRR); the toolkit's system colours print black.
QColor PenColor(std::uint32_t value);

} // namespace reelkeep
