#pragma once

#include <QImage>
#include <cstdint>

namespace platform {

// One corner of a gradient: its point and its colour, each channel a 16-bit
// value whose high byte is the colour byte.
struct TRIVERTEX {
    int32_t x = 0;
    int32_t y = 0;
    uint16_t Red = 0;
    uint16_t Green = 0;
    uint16_t Blue = 0;
    uint16_t Alpha = 0;
};

// A rectangle spanned by two vertices, named by their positions in the vertex list.
struct GRADIENT_RECT {
    uint32_t UpperLeft = 0;
    uint32_t LowerRight = 1;
};

enum GradientFillMode : uint32_t { GRADIENT_FILL_RECT_H = 0, GRADIENT_FILL_RECT_V = 1 };

// Fills each rectangle with a two-colour gradient: across it from left to
// right (GRADIENT_FILL_RECT_H) or down it from top to bottom
// (GRADIENT_FILL_RECT_V). The rectangle covers its first vertex and stops just
// before its second. Returns false for a mode or vertex index it cannot use.
bool GradientFill(QImage& surface, const TRIVERTEX* vertices, uint32_t vertexCount, const GRADIENT_RECT* rects,
                  uint32_t rectCount, uint32_t mode);

} // namespace platform
