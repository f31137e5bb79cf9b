#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace platform {

// A digest of a file's exact bytes, to tell whether a file still holds what
// was read from it or written to it. Content, not times: file clocks are
// coarse on some file systems and skewed on network drives. It is for telling
// apart, not for security: the same within one run of the program only. The
// bytes may come in pieces of any size, as a file is written or read; the
// digest is that of the whole.
class ContentDigest {
public:
    void add(QByteArrayView bytes);
    quint64 finish();

    static quint64 of(QByteArrayView bytes);
    // The digest of a file as it is now, read a piece at a time, so a large
    // file is never held whole for it; false when it cannot be read.
    static bool ofFile(const QString& path, quint64& digest);

private:
    void block(QByteArrayView bytes);
    QByteArray m_partial; // less than a block, waiting for the rest
    quint64 m_value = 0x5eed;
};

} // namespace platform
