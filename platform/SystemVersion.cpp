#include "platform/SystemVersion.h"

namespace platform {

uint32_t GetVersion() {
    const uint32_t major = 5;
    const uint32_t minor = 1;
    const uint32_t build = 2600;
    return major | (minor << 8) | (build << 16);
}

} // namespace platform
