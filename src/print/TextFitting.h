// Cutting a text to a width: when it is too wide, "..." is appended and
// characters before it are dropped until it fits or only "..." is left.
#pragma once

#include <QFontMetrics>
#include <QString>

namespace reelkeep {

QString FitText(const QString& text, int width, const QFontMetrics& metrics);

// Texts print on one line: line breaks inside a cell become spaces.
QString OneLine(QString text);

// A font of the given size in points as drawn at the screen's resolution,
// expressed in pixels so it draws the same on every device.
QFont PixelFont(const QString& family, int points);

// The height of a line of text as the page sees it: ascent plus descent.
int TextHeight(const QFontMetrics& metrics);

} // namespace reelkeep
