// A cover layout: one of eleven outline templates drawn in millimetres with a cut
// line and fold lines, plus free shapes, kept in "*.cvr" files and drawn on any
// canvas at that canvas's resolution.
#pragma once

#include "TzkPrintOptions.h"
#include "ZKShape.h"

#include <QByteArray>
#include <QColor>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QPainter;

namespace reelkeep {

class ZKCover {
public:
    static constexpr int kCoverTypeCount = 11;

    ZKCover();
    ZKCover(const ZKCover&) = delete;
    ZKCover& operator=(const ZKCover&) = delete;

    int ShapeCount() const { return static_cast<int>(Shapes.size()); }
    template <class Shape> Shape& AddShape()
    {
        Shapes.push_back(std::make_unique<Shape>(this));
        return static_cast<Shape&>(*Shapes.back());
    }
    // Back to an empty layout: type 0, no shapes.
    void Clear();
    // Moves the other cover's shapes to the end of this one's.
    void TakeShapes(ZKCover& other);

    // Appends the layout stored in the file. A missing file, a wrong signature or a
    // damaged or unreadable file leaves the cover empty, without a message.
    void LoadFromFile(const QString& fileName);
    // The same, but a file that cannot be used throws an error naming it.
    void ReadFromFile(const QString& fileName);
    void ReadFromBytes(const QByteArray& bytes, const QString& fileName);
    QByteArray SaveToBytes() const;
    void SaveToFile(const QString& fileName) const;

    // Draws the outline and then every shape at the canvas's resolution (dots per inch).
    void Draw(QPainter& canvas, double dpiX, double dpiY);
    void Draw(QPainter& canvas);

    // The area the outline and the shapes' boxes cover, in millimetres (turned text aside).
    QRectF ExtentMm() const;

    // Replaces every occurrence of the placeholder, in any case, in every text box;
    // text the replacement puts in is not searched again.
    void ReplaceText(const QString& placeholder, const QString& value);

    std::vector<std::unique_ptr<ZKShape>> Shapes;
    int CoverType = 0;
    std::uint8_t CutLineStyle = 2;
    float CutLineWidth = 0.1f; // millimetres
    QColor CutLineColor = Qt::black;
    std::uint8_t FoldLineStyle = 1;
    float FoldLineWidth = 0.1f;
    QColor FoldLineColor = Qt::black;
    TzkPrintOptions PrintOptions;

private:
    void drawOutline(QPainter& canvas) const;
};

} // namespace reelkeep
