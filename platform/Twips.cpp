#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace platform {

namespace {

// The screen's twips per pixel is a whole number, as the layouts were made
// for; without a screen the common 96 dots per inch apply.
int twipsPerPixel(bool horizontal) {
    double dpi = 96.0;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    if (!(dpi > 0.0))
        dpi = 96.0;
    const long tpp = std::lrint(1440.0 / dpi);
    return tpp < 1 ? 1 : static_cast<int>(tpp);
}

int toPixels(double twips, int tpp) {
    return static_cast<int>(std::lrint(twips / tpp));
}

} // namespace

int TwipsPerPixelX() {
    return twipsPerPixel(true);
}

int TwipsPerPixelY() {
    return twipsPerPixel(false);
}

int TwipsToPixelsX(double twips) {
    return toPixels(twips, TwipsPerPixelX());
}

int TwipsToPixelsY(double twips) {
    return toPixels(twips, TwipsPerPixelY());
}

int PixelsToTwipsX(int pixels) {
    return pixels * TwipsPerPixelX();
}

int PixelsToTwipsY(int pixels) {
    return pixels * TwipsPerPixelY();
}

} // namespace platform
