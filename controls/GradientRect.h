#pragma once

#include "platform/SysColors.h"

#include <QImage>
#include <cstdint>
#include <vector>

namespace platform {
class BackedWidget;
}

// Paints a two-colour linear gradient at any angle over the whole of a
// window, as a sweep of one-pixel lines, one blend step each, onto the
// window's backing image.
class clsGradient {
public:
    // Paints the gradient into the window. True when at least one line was
    // drawn; errors are shown in a box and give false.
    bool Draw(platform::BackedWidget* picObj);

    // Fills laRetColors with lSteps colours (at least 2) running from lColor1
    // to lColor2, both ends exact, and returns their count.
    int32_t BlendColors(platform::OleColor lColor1, platform::OleColor lColor2, int32_t lSteps,
                        std::vector<platform::OleColor>& laRetColors) const;

    // The colour of the first line and of the last; a system colour reference
    // is stored as the colour it stands for.
    void setColor1(platform::OleColor lData);
    platform::OleColor Color1() const { return m_Color1; }
    void setColor2(platform::OleColor lData);
    platform::OleColor Color2() const { return m_Color2; }
    // The direction the colour runs in, degrees counter-clockwise from
    // left-to-right, kept in [0, 360).
    void setAngle(float fData);
    float Angle() const { return m_Angle; }

protected:
    // The renderer: sweeps the lines over a W x H image and returns twice the
    // number of lines drawn (0 after an error).
    int32_t DrawGradientLines(QImage& hDC, int32_t width, int32_t height);

private:
    struct PointF {
        float x = 0;
        float y = 0;
    };
    static void RotatePoint(const PointF& center, PointF& point, float angle);
    static double SafeDivide(double a, double b) { return b == 0 ? 0 : a / b; }

    platform::OleColor m_Color1 = platform::RGB(208, 255, 255);
    platform::OleColor m_Color2 = platform::RGB(0, 0, 64);
    float m_Angle = 315;
};
