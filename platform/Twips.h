#pragma once

namespace platform {

// The organiser lays its windows out in twips, 1440 to the inch. A twip length
// becomes pixels at the screen's twips per pixel: 15 at 96 dots per inch.
int TwipsPerPixelX();
int TwipsPerPixelY();

// Whole pixels, rounded to the nearest (halves to even); fractional twips, as
// the layouts' fractions of a width give them, are accepted.
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);

} // namespace platform
