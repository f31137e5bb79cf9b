#pragma once

#include <cstdint>

namespace platform {

// The system version as the organiser asks for it: major version in the low
// byte, minor in the second, build in the high word, and bit 31 clear for the
// NT family. This desktop answers as an NT-family system of version 5.1, the
// one the organiser's notification-area code knows best: wide-text icon
// records with balloon tips.
uint32_t GetVersion();

} // namespace platform
