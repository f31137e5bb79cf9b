#include "FailingWriter.h"

#include <utility>

namespace testsupport {

FailingWriter::FailingWriter() : m_previous(install(this)) {}

FailingWriter::~FailingWriter() {
    install(m_previous);
}

void FailingWriter::failNext(Step step, int error) {
    m_armed = true;
    m_step = step;
    m_error = error;
}

bool FailingWriter::failsAt(Step step) {
    if (!m_armed || m_step != step)
        return false;
    m_armed = false;
    return true;
}

int FailingWriter::makeTemporary(QByteArray& nameTemplate, int& fd) {
    return failsAt(Step::Temporary) ? m_error : FileWriter::makeTemporary(nameTemplate, fd);
}

int FailingWriter::writeBytes(int fd, const char* data, size_t size) {
    return failsAt(Step::Write) ? m_error : FileWriter::writeBytes(fd, data, size);
}

int FailingWriter::setMode(int fd, unsigned mode) {
    return failsAt(Step::Mode) ? m_error : FileWriter::setMode(fd, mode);
}

int FailingWriter::flushFile(int fd) {
    return failsAt(Step::Flush) ? m_error : FileWriter::flushFile(fd);
}

int FailingWriter::renameFile(const QByteArray& from, const QByteArray& to) {
    if (failsAt(Step::Rename))
        return m_error;
    const int err = FileWriter::renameFile(from, to);
    if (err == 0)
        if (std::function<void()> action = std::exchange(m_afterReplace, {}))
            action();
    return err;
}

int FailingWriter::flushFolder(const QByteArray& folder) {
    return failsAt(Step::FolderFlush) ? m_error : FileWriter::flushFolder(folder);
}

} // namespace testsupport
