#include "controls/GradientRect.h"

#include "ControlTestKit.h"
#include "MessageBoxResponder.h"
#include "platform/ui/BackedWidget.h"
#include "platform/ui/WindowUpdates.h"

#include <gtest/gtest.h>

using kit::At;
using platform::OleColor;
using platform::RGB;

namespace {

// Reaches the renderer, whose count is not part of what Draw returns.
struct Renderer : clsGradient {
    using clsGradient::DrawGradientLines;
};

std::vector<OleColor> Blend(OleColor a, OleColor b, int steps, int32_t* count = nullptr) {
    std::vector<OleColor> colours{123}; // whatever was there is replaced
    const int32_t n = clsGradient().BlendColors(a, b, steps, colours);
    if (count)
        *count = n;
    return colours;
}

} // namespace

TEST(clsGradient, BlendColorsSteps) {
    const OleColor a = RGB(10, 20, 30), b = RGB(40, 80, 120);
    int32_t n = 0;
    EXPECT_EQ(Blend(a, b, 0, &n), (std::vector<OleColor>{a, b}));
    EXPECT_EQ(n, 2);
    EXPECT_EQ(Blend(a, b, 1, &n), (std::vector<OleColor>{a, b}));
    EXPECT_EQ(n, 2);
    EXPECT_EQ(Blend(a, b, 3, &n), (std::vector<OleColor>{a, RGB(20, 40, 60), b}));
    EXPECT_EQ(n, 3);
    // The divisor is the count, so the middle steps fall short of the end;
    // 127.5 rounds to the even 128.
    EXPECT_EQ(Blend(RGB(0, 0, 0), RGB(255, 255, 255), 4),
              (std::vector<OleColor>{0, RGB(64, 64, 64), RGB(128, 128, 128), 0xFFFFFF}));
    // Downwards as well as upwards, channel by channel.
    EXPECT_EQ(Blend(RGB(255, 0, 100), RGB(0, 255, 100), 5)[2], RGB(153, 102, 100));
}

TEST(clsGradient, PropertiesNormaliseAnglesAndResolveSystemColours) {
    clsGradient g;
    EXPECT_EQ(g.Color1(), RGB(208, 255, 255));
    EXPECT_EQ(g.Color2(), RGB(0, 0, 64));
    EXPECT_FLOAT_EQ(g.Angle(), 315);
    const std::pair<float, float> angles[] = {{360, 0}, {-90, 270}, {-45, 315}, {720, 0}, {45.5f, 45.5f}, {-360, 0}};
    for (const auto& [in, out] : angles) {
        g.setAngle(in);
        EXPECT_FLOAT_EQ(g.Angle(), out) << in;
    }
    const OleColor windowRef = static_cast<OleColor>(0x80000000u | platform::COLOR_WINDOW);
    g.setColor1(windowRef);
    EXPECT_EQ(g.Color1(), platform::GetSysColor(platform::COLOR_WINDOW));
    g.setColor2(static_cast<OleColor>(0x80000000u | platform::COLOR_BTNFACE));
    EXPECT_EQ(g.Color2(), platform::GetSysColor(platform::COLOR_BTNFACE));
    // Past index 24 the value is kept as it came.
    const OleColor farRef = static_cast<OleColor>(0x80000000u | 26);
    g.setColor1(farRef);
    EXPECT_EQ(g.Color1(), farRef);
    g.setColor1(0x800000);
    EXPECT_EQ(g.Color1(), 0x800000);
}

TEST(clsGradient, FirstLinePlaceAndSweepDirectionAtTheRightAngles) {
    const int W = 40, H = 20;
    const OleColor black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    auto paint = [&](float angle) {
        Renderer g;
        g.setColor1(black);
        g.setColor2(white);
        g.setAngle(angle);
        QImage img(W, H, QImage::Format_RGB32);
        img.fill(Qt::red);
        g.DrawGradientLines(img, W, H);
        return img;
    };
    auto grey = [](const QImage& img, int x, int y) { return platform::RedOf(At(img, x, y)); };
    auto columnIs = [&](const QImage& img, int x, int level) {
        for (int y = 0; y < H; ++y)
            if (At(img, x, y) != RGB(level, level, level))
                return false;
        return true;
    };
    auto rowIs = [&](const QImage& img, int y, int level) {
        for (int x = 0; x < W; ++x)
            if (At(img, x, y) != RGB(level, level, level))
                return false;
        return true;
    };

    // 0: vertical lines, the first on column 0 in Color1, sweeping right.
    QImage img = paint(0);
    EXPECT_TRUE(columnIs(img, 0, 0));
    EXPECT_GT(grey(img, 1, 5), 0);
    for (int x = 1; x < W; ++x)
        EXPECT_GT(grey(img, x, 5), grey(img, x - 1, 5));

    // 270: horizontal lines, the first on row 0, sweeping down.
    img = paint(270);
    EXPECT_TRUE(rowIs(img, 0, 0));
    for (int y = 1; y < H; ++y)
        EXPECT_GT(grey(img, 5, y), grey(img, 5, y - 1));

    // 180: the first line on column W, just outside; the sweep runs left.
    img = paint(180);
    EXPECT_TRUE(columnIs(img, W - 1, grey(img, W - 1, 0)));
    EXPECT_GT(grey(img, W - 1, 0), 0);
    for (int x = W - 2; x >= 0; --x)
        EXPECT_GT(grey(img, x, 5), grey(img, x + 1, 5));

    // 90: the first line on row H, just below; the sweep runs up.
    img = paint(90);
    EXPECT_TRUE(rowIs(img, H - 1, grey(img, 0, H - 1)));
    EXPECT_GT(grey(img, 0, H - 1), 0);
    for (int y = H - 2; y >= 0; --y)
        EXPECT_GT(grey(img, 5, y), grey(img, 5, y + 1));

    // Every pixel is covered: no red left at any angle.
    for (float angle : {0.f, 30.f, 45.f, 90.f, 135.f, 200.f, 315.f}) {
        const QImage all = paint(angle);
        int uncovered = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                uncovered += At(all, x, y) == RGB(255, 0, 0);
        EXPECT_EQ(uncovered, 0) << angle;
    }
}

TEST(clsGradient, ReturnCountIsTwiceTheLinesDrawn) {
    Renderer g;
    QImage img(100, 20, QImage::Format_RGB32);
    // 315 degrees: 45-degree lines swept right, the first ending on column 0
    // at its top, 101 columns left of its bottom end; 202 lines until both
    // ends are past column 100, the last point written left unpaired.
    EXPECT_EQ(g.DrawGradientLines(img, 100, 20), 404);
    // An exact 45-degree line is swept sideways too. At 45 the end that runs
    // ahead is written second, so the sweep stops on a whole pair: 203 lines.
    g.setAngle(45);
    EXPECT_EQ(g.DrawGradientLines(img, 100, 20), 406);
    // Flatter lines are swept upwards instead: fewer of them on a wide area.
    g.setAngle(30);
    EXPECT_LT(g.DrawGradientLines(img, 100, 20), 404);
    // 0 degrees: columns 0 to W + 1.
    g.setAngle(0);
    EXPECT_EQ(g.DrawGradientLines(img, 100, 20), 2 * 102);
}

TEST(clsGradient, DrawPaintsTheWindowWithUpdatesHeldBackOnlyMeanwhile) {
    testsupport::ScopedResponder boxes;
    platform::BackedWidget window;
    window.resize(60, 30);
    clsGradient g;
    g.setColor1(0x800000);
    g.setColor2(0xFFFFFF);
    g.setAngle(0);
    EXPECT_TRUE(g.Draw(&window));
    EXPECT_EQ(At(window.surface(), 0, 10), 0x800000);
    EXPECT_TRUE(window.updatesEnabled());
    EXPECT_EQ(platform::LockedWindow(), nullptr);

    platform::BackedWidget thin;
    thin.resize(60, 1);
    EXPECT_FALSE(g.Draw(&thin)) << "one pixel high: nothing to draw";
    EXPECT_EQ(platform::LockedWindow(), nullptr);

    EXPECT_FALSE(g.Draw(nullptr));
    ASSERT_EQ(boxes->boxes.size(), 1u);
    EXPECT_EQ(boxes->last().text, QStringLiteral("Object variable or With block variable not set"));
    EXPECT_EQ(boxes->last().style, platform::MsgStyle::Exclamation);
    EXPECT_EQ(boxes->last().title, QStringLiteral("Veltrane"));
    EXPECT_EQ(platform::LockedWindow(), nullptr);
}
