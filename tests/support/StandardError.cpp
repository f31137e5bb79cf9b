#include "StandardError.h"

#include <QFile>
#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace testsupport {

CapturedStandardError::CapturedStandardError() {
    if (!m_file.open())
        throw std::runtime_error("cannot create a file for standard error");
    std::fflush(stderr);
    m_saved = ::dup(STDERR_FILENO);
    ::dup2(m_file.handle(), STDERR_FILENO);
}

CapturedStandardError::~CapturedStandardError() {
    std::fflush(stderr);
    ::dup2(m_saved, STDERR_FILENO);
    ::close(m_saved);
    const QByteArray caught = text().toUtf8();
    std::fwrite(caught.constData(), 1, static_cast<size_t>(caught.size()), stderr);
}

QString CapturedStandardError::text() const {
    std::fflush(stderr);
    QFile read(m_file.fileName());
    return read.open(QIODevice::ReadOnly) ? QString::fromUtf8(read.readAll()) : QString();
}

} // namespace testsupport
