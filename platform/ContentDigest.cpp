#include "platform/ContentDigest.h"

#include <QFile>
#include <QHashFunctions>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

// The bytes are taken in blocks of a fixed size, so the pieces they come in do
// not change the digest.
constexpr qsizetype kBlock = 64 * 1024;

} // namespace

void ContentDigest::block(QByteArrayView bytes) {
    // Qt's hash of bytes reads gigabytes a second: a small price beside the
    // parse it may spare. Each block's hash seeds the next.
    m_value = qHashBits(bytes.data(), static_cast<size_t>(bytes.size()), static_cast<size_t>(m_value));
}

void ContentDigest::add(QByteArrayView bytes) {
    if (!m_partial.isEmpty()) {
        const qsizetype take = std::min(bytes.size(), kBlock - m_partial.size());
        m_partial.append(bytes.first(take));
        bytes = bytes.sliced(take);
        if (m_partial.size() < kBlock)
            return;
        block(m_partial);
        m_partial.clear();
    }
    for (; bytes.size() >= kBlock; bytes = bytes.sliced(kBlock))
        block(bytes.first(kBlock));
    m_partial.append(bytes);
}

quint64 ContentDigest::finish() {
    block(m_partial);
    m_partial.clear();
    const quint64 value = m_value;
    m_value = 0x5eed;
    return value;
}

quint64 ContentDigest::of(QByteArrayView bytes) {
    ContentDigest digest;
    digest.add(bytes);
    return digest.finish();
}

bool ContentDigest::ofFile(const QString& path, quint64& digest) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    QByteArray buffer(kBlock, Qt::Uninitialized);
    ContentDigest d;
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), static_cast<size_t>(kBlock));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        d.add(QByteArrayView(buffer.constData(), n));
    }
    ::close(fd);
    if (ok)
        digest = d.finish();
    return ok;
}

} // namespace platform
