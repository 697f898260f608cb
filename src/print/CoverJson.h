// A cover layout as JSON, so layouts can be read and made without the cover editor:
// {"type": N, "shapes": [{"kind": "line", "x", "y", "width", "height"},
//  {"kind": "text", "x", "y", "width", "height", "font", "size", "angle", "alignment", "text"}]}
#pragma once

#include <QJsonObject>
#include <QString>

namespace reelkeep {

class ZKCover;

QJsonObject CoverToJson(const ZKCover& cover);
// Appends the shapes described and sets the type; throws FormatError naming the
// source for anything missing or of the wrong kind.
void CoverFromJson(const QJsonObject& json, ZKCover& cover, const QString& source);

} // namespace reelkeep
