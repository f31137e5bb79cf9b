#include "platform/Twips.h"

#include "platform/DeviceCaps.h"

#include <cmath>

namespace platform {

namespace {

// The screen's twips per pixel is a whole number, as the layouts were made
// for: 15 at 96 dots per inch.
int twipsPerPixel(DeviceCap cap) {
    const long tpp = std::lrint(1440.0 / GetDeviceCaps(cap));
    return tpp < 1 ? 1 : static_cast<int>(tpp);
}

int toPixels(double twips, int tpp) {
    return static_cast<int>(std::lrint(twips / tpp));
}

} // namespace

int TwipsPerPixelX() {
    return twipsPerPixel(LOGPIXELSX);
}

int TwipsPerPixelY() {
    return twipsPerPixel(LOGPIXELSY);
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
