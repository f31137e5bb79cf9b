#include "platform/Gdi.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace platform {

QSize SurfaceSize(const QImage& surface) {
    return surface.deviceIndependentSize().toSize();
}

void SetSurfacePixel(QImage& surface, int x, int y, QRgb rgb) {
    const qreal ratio = surface.devicePixelRatio();
    if (ratio == 1) {
        if (x >= 0 && y >= 0 && x < surface.width() && y < surface.height())
            surface.setPixel(x, y, rgb);
        return;
    }
    if (x < 0 || y < 0)
        return;
    // Each unit covers the pixels from its own start up to the next unit's,
    // so units meet without gaps at any ratio.
    const int right = std::min(surface.width(), static_cast<int>(std::floor((x + 1) * ratio)));
    const int bottom = std::min(surface.height(), static_cast<int>(std::floor((y + 1) * ratio)));
    for (int py = static_cast<int>(std::floor(y * ratio)); py < bottom; ++py)
        for (int px = static_cast<int>(std::floor(x * ratio)); px < right; ++px)
            surface.setPixel(px, py, rgb);
}

namespace {
void plot(QImage& surface, int x, int y, QRgb rgb) {
    SetSurfacePixel(surface, x, y, rgb);
}
// Walks the pixels of a line from its first end up to, not including, its
// last one, while visit(x, y) asks for more.
template <class Visit> void walkLine(int x1, int y1, int x2, int y2, Visit visit) {
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    while (x != x2 || y != y2) {
        if (!visit(x, y))
            return;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}
} // namespace

void DrawLine(QImage& surface, int x1, int y1, int x2, int y2, const QColor& colour) {
    const QRgb rgb = colour.rgb();
    // Level and upright lines (every line of a level or upright gradient) are
    // clipped first and written a span at a time: the gradients draw lines far
    // longer than the surface, one per pixel row.
    if (x1 == x2 || y1 == y2) {
        const bool level = y1 == y2;
        const int from = level ? x1 : y1, to = level ? x2 : y2;
        if (from == to)
            return;
        // The first end is drawn, the last one is not.
        int lo = from < to ? from : to + 1, hi = from < to ? to - 1 : from;
        const QSize size = SurfaceSize(surface);
        const int limit = level ? size.width() : size.height();
        const int at = level ? y1 : x1;
        if (at < 0 || at >= (level ? size.height() : size.width()))
            return;
        lo = std::max(lo, 0);
        hi = std::min(hi, limit - 1);
        if (surface.devicePixelRatio() != 1) {
            for (int p = lo; p <= hi; ++p)
                level ? SetSurfacePixel(surface, p, at, rgb) : SetSurfacePixel(surface, at, p, rgb);
            return;
        }
        for (int p = lo; p <= hi; ++p)
            level ? surface.setPixel(p, at, rgb) : surface.setPixel(at, p, rgb);
        return;
    }
    const QSize size = SurfaceSize(surface);
    const int w = size.width(), h = size.height();
    walkLine(x1, y1, x2, y2, [&](int x, int y) {
        // The walk only moves on in one direction along each axis: once it
        // has left the surface that way, nothing more of the line is on it.
        if ((x2 > x1 ? x >= w : x < 0) || (y2 > y1 ? y >= h : y < 0))
            return false;
        plot(surface, x, y, rgb);
        return true;
    });
}

void DrawShiftedLines(QImage& surface, int x1, int y1, int x2, int y2, const QPoint& shift,
                      const std::vector<QRgb>& colours) {
    // A line moved by whole pixels is walked through the same pixels moved
    // alike, so the line is walked once and only the pixels that can fall on
    // the surface (across the shift) are kept.
    const bool across = shift.y() == 0;
    const QSize size = SurfaceSize(surface);
    const int w = size.width(), h = size.height();
    std::vector<QPoint> kept;
    walkLine(x1, y1, x2, y2, [&](int x, int y) {
        if (across ? (y >= 0 && y < h) : (x >= 0 && x < w))
            kept.emplace_back(x, y);
        return true;
    });
    QPoint by(0, 0);
    for (const QRgb rgb : colours) {
        for (const QPoint& p : kept)
            plot(surface, p.x() + by.x(), p.y() + by.y(), rgb);
        by += shift;
    }
}

void DrawBox(QImage& surface, int x1, int y1, int x2, int y2, const QColor& colour, bool filled) {
    const QRgb rgb = colour.rgb();
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    for (int y = top; y <= bottom; ++y) {
        if (filled || y == top || y == bottom) {
            for (int x = left; x <= right; ++x)
                plot(surface, x, y, rgb);
        } else {
            plot(surface, left, y, rgb);
            plot(surface, right, y, rgb);
        }
    }
}

void PaintPicture(QImage& surface, const QImage& picture, int x, int y, int width, int height, int srcX, int srcY,
                  int srcWidth, int srcHeight) {
    if (picture.isNull() || width <= 0 || height <= 0)
        return;
    if (srcWidth < 0)
        srcWidth = picture.width() - srcX;
    if (srcHeight < 0)
        srcHeight = picture.height() - srcY;
    if (srcWidth <= 0 || srcHeight <= 0)
        return;
    // Only the part of the source that lies inside the picture is copied, to
    // where it would have gone.
    const QRectF src(srcX, srcY, srcWidth, srcHeight);
    const QRectF inside = src.intersected(QRectF(picture.rect()));
    if (inside.isEmpty())
        return;
    const qreal sx = qreal(width) / srcWidth, sy = qreal(height) / srcHeight;
    const QRectF target(x + (inside.left() - src.left()) * sx, y + (inside.top() - src.top()) * sy, inside.width() * sx,
                        inside.height() * sy);
    QPainter p(&surface);
    p.setRenderHint(QPainter::SmoothPixmapTransform, srcWidth != width || srcHeight != height);
    p.drawImage(target, picture, inside);
}

QColor GetPixel(const QImage& surface, int x, int y) {
    const QSize size = SurfaceSize(surface);
    if (x < 0 || y < 0 || x >= size.width() || y >= size.height())
        return Qt::black;
    const qreal ratio = surface.devicePixelRatio();
    return QColor(surface.pixel(static_cast<int>(std::floor(x * ratio)), static_cast<int>(std::floor(y * ratio))));
}

} // namespace platform
