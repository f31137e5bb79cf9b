#pragma once

namespace platform {

// The device capabilities the organiser asks the screen for.
enum DeviceCap { LOGPIXELSX = 88, LOGPIXELSY = 90 };

// The screen's value for a capability: its logical pixels per inch, 96 when no
// screen is known (the value the organiser's geometry was made for).
int GetDeviceCaps(DeviceCap cap);

} // namespace platform
