#include "platform/ContentDigest.h"

#include <QHashFunctions>

namespace platform {

quint64 ContentDigest(QByteArrayView bytes) {
    // Qt's hash of bytes reads gigabytes a second: a small price beside the
    // parse it may spare.
    return qHashBits(bytes.data(), static_cast<size_t>(bytes.size()), 0x5eed);
}

} // namespace platform
