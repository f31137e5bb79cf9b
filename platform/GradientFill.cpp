#include "platform/GradientFill.h"

#include "platform/Gdi.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {
// The colour byte at step `pos` of `span`, from the 16-bit channels a to b.
int channelAt(int a, int b, int64_t pos, int64_t span) {
    if (span <= 0)
        return a >> 8;
    return static_cast<int>((a + (static_cast<int64_t>(b) - a) * pos / span) >> 8);
}
} // namespace

bool GradientFill(QImage& surface, const TRIVERTEX* vertices, uint32_t vertexCount, const GRADIENT_RECT* rects,
                  uint32_t rectCount, uint32_t mode) {
    if (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V)
        return false;
    if (!vertices || (!rects && rectCount > 0))
        return false;
    for (uint32_t i = 0; i < rectCount; ++i) {
        if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount)
            return false;
        TRIVERTEX a = vertices[rects[i].UpperLeft];
        TRIVERTEX b = vertices[rects[i].LowerRight];
        // The colours follow the vertices along the gradient's direction, so
        // a rectangle given right to left still runs from its first colour.
        const bool horizontal = mode == GRADIENT_FILL_RECT_H;
        if ((horizontal && a.x > b.x) || (!horizontal && a.y > b.y))
            std::swap(a, b);
        const QSize size = SurfaceSize(surface);
        const int left = std::max(0, std::min(a.x, b.x));
        const int right = std::min(size.width(), std::max(a.x, b.x));
        const int top = std::max(0, std::min(a.y, b.y));
        const int bottom = std::min(size.height(), std::max(a.y, b.y));
        const int64_t span = horizontal ? int64_t(b.x) - a.x : int64_t(b.y) - a.y;
        // One pixel a unit is written straight into the lines; a surface of a
        // higher ratio gets each unit as its block.
        const bool direct = surface.depth() == 32 && surface.devicePixelRatio() == 1;
        for (int y = top; y < bottom; ++y) {
            QRgb* line = direct ? reinterpret_cast<QRgb*>(surface.scanLine(y)) : nullptr;
            for (int x = left; x < right; ++x) {
                const int64_t pos = horizontal ? int64_t(x) - a.x : int64_t(y) - a.y;
                const QRgb rgb = qRgb(channelAt(a.Red, b.Red, pos, span), channelAt(a.Green, b.Green, pos, span),
                                      channelAt(a.Blue, b.Blue, pos, span));
                if (direct)
                    line[x] = rgb;
                else
                    SetSurfacePixel(surface, x, y, rgb);
            }
        }
    }
    return true;
}

} // namespace platform
