#pragma once

#include <QByteArrayView>
#include <QtGlobal>

namespace platform {

// A digest of a file's exact bytes, to tell whether a file still holds what
// was read from it or written to it. Content, not times: file clocks are
// coarse on some file systems and skewed on network drives. It is for telling
// apart, not for security: the same within one run of the program only.
quint64 ContentDigest(QByteArrayView bytes);

} // namespace platform
