// The free shapes of a cover layout: lines and text boxes placed in millimetres.
#pragma once

#include "TzkPrintOptions.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>

class QPainter;

namespace reelkeep {

class CoverReader;
class CoverWriter;
class ZKCover;

class ZKShape {
public:
    explicit ZKShape(ZKCover* owner);
    virtual ~ZKShape() = default;
    ZKShape(const ZKShape&) = delete;
    ZKShape& operator=(const ZKShape&) = delete;

    virtual void Draw(QPainter& canvas) const = 0;
    // Read the record that follows the tag; write the tag and the record.
    virtual void LoadFromStream(CoverReader& in) = 0;
    virtual void SaveToStream(CoverWriter& out) const = 0;

    float X = 0, Y = 0, Width = 0, Height = 0; // millimetres
    const TzkPrintOptions* PrintOptions;
    ZKCover* Owner;
};

// A straight line from (X, Y) to (X + Width, Y + Height).
class ZKLine : public ZKShape {
public:
    static constexpr std::uint8_t Tag = 1;
    using ZKShape::ZKShape;

    void Draw(QPainter& canvas) const override;
    void LoadFromStream(CoverReader& in) override;
    void SaveToStream(CoverWriter& out) const override;

    // Not stored in the file: a loaded line is solid, one pixel wide and black.
    std::uint8_t PenStyle = 0;
    float PenWidth = 1.0f; // pixels
    QColor PenColor = Qt::black;
};

enum TextAlignment : std::uint8_t { taTopLeft = 0, taLeftCentred = 1, taTopCentred = 2, taCentred = 3 };

// A one-line text turned by Angle degrees counter-clockwise about its top-left
// corner, placed in its box by Alignment; the text may hold placeholders.
class ZKText : public ZKShape {
public:
    static constexpr std::uint8_t Tag = 2;
    explicit ZKText(ZKCover* owner);

    void Draw(QPainter& canvas) const override;
    void LoadFromStream(CoverReader& in) override;
    void SaveToStream(CoverWriter& out) const override;

    float Angle = 0;
    QString Text;
    QString FontName;
    std::int16_t FontSize = 10; // points
    std::uint8_t Alignment = taTopLeft;
};

} // namespace reelkeep
