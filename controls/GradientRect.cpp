#include "controls/GradientRect.h"

#include "platform/Gdi.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"
#include "platform/ui/BackedWidget.h"
#include "platform/ui/WindowUpdates.h"

#include <QPoint>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <new>

using platform::OleColor;

namespace {

constexpr int kPointBlock = 1000;

int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

QString DescriptionOf(const std::exception& e) {
    if (auto* rt = dynamic_cast<const platform::RuntimeError*>(&e))
        return rt->description();
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return platform::RuntimeError::standardDescription(7);
    return QString::fromLocal8Bit(e.what());
}

// A system colour reference is kept as the colour it stands for.
OleColor StoredColour(OleColor lData) {
    if (lData < 0 && (lData & 0x7FFFFFFF) <= 24)
        return platform::GetSysColor(lData & 0x7FFFFFFF);
    return lData;
}

} // namespace

void clsGradient::setColor1(OleColor lData) {
    m_Color1 = StoredColour(lData);
}

void clsGradient::setColor2(OleColor lData) {
    m_Color2 = StoredColour(lData);
}

void clsGradient::setAngle(float fData) {
    m_Angle = static_cast<float>(fData - std::floor(fData / 360.0) * 360.0);
}

int32_t clsGradient::BlendColors(OleColor lColor1, OleColor lColor2, int32_t lSteps,
                                 std::vector<OleColor>& laRetColors) const {
    const int32_t n = lSteps < 2 ? 2 : lSteps;
    const int r1 = platform::RedOf(lColor1), g1 = platform::GreenOf(lColor1), b1 = platform::BlueOf(lColor1);
    const int r2 = platform::RedOf(lColor2), g2 = platform::GreenOf(lColor2), b2 = platform::BlueOf(lColor2);
    // The divisor is the number of colours, not the number of gaps between
    // them, so the colour before the last is not yet lColor2.
    const float stepR = static_cast<float>(SafeDivide(r2 - r1, n));
    const float stepG = static_cast<float>(SafeDivide(g2 - g1, n));
    const float stepB = static_cast<float>(SafeDivide(b2 - b1, n));
    laRetColors.assign(static_cast<size_t>(n), 0);
    laRetColors.front() = lColor1;
    laRetColors.back() = lColor2;
    for (int32_t i = 1; i <= n - 2; ++i) {
        const int r = RoundHalfEven(r1 + i * static_cast<double>(stepR));
        const int g = RoundHalfEven(g1 + i * static_cast<double>(stepG));
        const int b = RoundHalfEven(b1 + i * static_cast<double>(stepB));
        laRetColors[static_cast<size_t>(i)] = platform::RGB(r, g, b);
    }
    return n;
}

void clsGradient::RotatePoint(const PointF& center, PointF& point, float angle) {
    const float r = static_cast<float>(angle * 0.017453292519943278);
    const float dx = point.x - center.x;
    const float dy = point.y - center.y;
    const double c = std::cos(static_cast<double>(r)), s = std::sin(static_cast<double>(r));
    point.x = static_cast<float>(center.x + dx * c + dy * s);
    point.y = static_cast<float>(center.y - dx * s + dy * c);
}

int32_t clsGradient::DrawGradientLines(QImage& hDC, int32_t width, int32_t height) {
    try {
        const int32_t W = width, H = height;
        const PointF center{static_cast<float>(W / 2), static_cast<float>(H / 2)};
        const double L = W > H ? W : H;
        // Longer than the diagonal, so every line crosses the whole area.
        const double radius = (std::sqrt(L * L + L * L) + 2) / 2;
        PointF p0{static_cast<float>(center.x - radius), center.y};
        PointF p1{static_cast<float>(center.x + radius), center.y};
        const float v = m_Angle + 90;
        const float turn = static_cast<float>(v - std::floor(v / 360.0) * 360.0);
        RotatePoint(center, p0, turn);
        RotatePoint(center, p1, turn);

        const float dx = std::fabs(p0.x - p1.x), dy = std::fabs(p0.y - p1.y);
        const bool sideways = dy >= dx; // 45 degrees and steeper
        const float a = m_Angle;
        QPoint step;
        double offsetX = 0, offsetY = 0;
        bool forward; // rightwards or downwards
        if (sideways) {
            forward = !(a > 90 && a <= 270);
            step = QPoint(forward ? 1 : -1, 0);
            offsetX = forward ? -std::max(p0.x, p1.x) : W - std::min(p0.x, p1.x);
        } else {
            forward = !(a >= 0 && a <= 180);
            step = QPoint(0, forward ? 1 : -1);
            offsetY = forward ? -std::max(p0.y, p1.y) : H - std::min(p0.y, p1.y);
        }
        auto beyond = [&](const QPoint& p) {
            if (sideways)
                return forward ? p.x() > W : p.x() < 0;
            return forward ? p.y() > H : p.y() < 0;
        };

        std::vector<QPoint> points;
        points.reserve(kPointBlock);
        points.emplace_back(RoundHalfEven(p0.x + offsetX), RoundHalfEven(p0.y + offsetY));
        points.emplace_back(RoundHalfEven(p1.x + offsetX), RoundHalfEven(p1.y + offsetY));
        size_t i = 2;
        for (;;) {
            if (i % kPointBlock == 0)
                points.reserve(i + kPointBlock);
            points.push_back(points[i - 2] + step);
            ++i;
            if (beyond(points[i - 1]) && beyond(points[i - 2]))
                break;
        }

        std::vector<OleColor> colours;
        BlendColors(m_Color1, m_Color2, RoundHalfEven(static_cast<double>(i) / 2), colours);

        // Every line is the first one moved on by whole steps.
        const size_t lines = points.size() / 2;
        std::vector<QRgb> rgbs;
        rgbs.reserve(lines);
        for (size_t k = 0; k < lines; ++k)
            rgbs.push_back(platform::ToQColor(colours[k]).rgb());
        platform::DrawShiftedLines(hDC, points[0].x(), points[0].y(), points[1].x(), points[1].y(), step, rgbs);
        return static_cast<int32_t>(2 * lines);
    } catch (const std::exception& e) {
        platform::MsgBox(DescriptionOf(e), platform::MsgStyle::Exclamation, QStringLiteral("GradientRect"));
        return 0;
    }
}

bool clsGradient::Draw(platform::BackedWidget* picObj) {
    bool drawn = false;
    try {
        if (!picObj)
            throw platform::RuntimeError::fromNumber(91);
        platform::LockWindowUpdate(picObj);
        const QRect client = picObj->rect();
        // right and bottom of the client rectangle are its width and height
        if (client.width() > 1 && client.height() > 1)
            drawn = DrawGradientLines(picObj->surface(), client.width(), client.height()) >= 1;
        picObj->flush();
    } catch (const std::exception& e) {
        platform::MsgBox(DescriptionOf(e), platform::MsgStyle::Exclamation, QStringLiteral("Veltrane"));
    }
    platform::LockWindowUpdate(nullptr);
    return drawn;
}
