#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <vector>

namespace platform {

// A rectangle as the window system passes it: right and bottom lie just
// outside, so the width is Right - Left.
struct RECT {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t width() const { return Right - Left; }
    int32_t height() const { return Bottom - Top; }
    QRect toQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    bool operator==(const RECT& o) const {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
    bool operator!=(const RECT& o) const { return !(*this == o); }
};

inline void SetRect(RECT& r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    r.Left = left;
    r.Top = top;
    r.Right = right;
    r.Bottom = bottom;
}

// What a drawing call draws with: the surface, the selected font and the text
// colour. A context without a surface only measures.
struct DeviceContext {
    QImage* surface = nullptr;
    QFont font;
    QColor textColor = Qt::black;
};

// Surfaces are drawn on in the widget's own units, whatever their device
// pixel ratio: on a surface made at a ratio of 2 for a high-resolution screen,
// one unit is a block of two by two pixels, so lines and boxes keep their
// places while text and pictures, drawn through a painter, use every pixel.

// A surface's size in the widget's units.
QSize SurfaceSize(const QImage& surface);
// Sets the pixels of one unit of a surface; nothing outside it.
void SetSurfacePixel(QImage& surface, int x, int y, QRgb rgb);

// A one-pixel line from the first point towards the second, leaving out the
// last point, as the window system's line drawing does.
void DrawLine(QImage& surface, int x1, int y1, int x2, int y2, const QColor& colour);
// Draws the same line once per colour, each time moved on by shift (level or
// upright, one pixel), as a gradient of parallel lines does; the pixels are
// those DrawLine gives for each moved line.
void DrawShiftedLines(QImage& surface, int x1, int y1, int x2, int y2, const QPoint& shift,
                      const std::vector<QRgb>& colours);
// A box with both corners included: outlined, or filled when `filled`.
void DrawBox(QImage& surface, int x1, int y1, int x2, int y2, const QColor& colour, bool filled);
// Copies (a part of) a picture into a rectangle of the surface, scaling it to
// fit; the picture's transparent parts leave the surface as it was.
void PaintPicture(QImage& surface, const QImage& picture, int x, int y, int width, int height, int srcX = 0,
                  int srcY = 0, int srcWidth = -1, int srcHeight = -1);
// The colour of one unit (its top left pixel); black outside the surface.
QColor GetPixel(const QImage& surface, int x, int y);

} // namespace platform
