#pragma once

#include "platform/FileIO.h"

#include <cerrno>
#include <functional>

namespace testsupport {

// The organiser's file writer, in use while this object lives, whose next
// write can be made to fail at one step, as a full disk, a read-only mount or
// a cut power would, or be followed by another program's write.
class FailingWriter : public platform::FileWriter {
public:
    enum class Step { Temporary, Write, Mode, Flush, Rename, FolderFlush };

    FailingWriter();
    ~FailingWriter() override;
    FailingWriter(const FailingWriter&) = delete;
    FailingWriter& operator=(const FailingWriter&) = delete;

    // The next write that reaches the step fails there with the error (its
    // text is the reason the organiser shows); the writes after it succeed.
    void failNext(Step step = Step::Write, int error = ENOSPC);
    // Runs once, right after the next replace has put its file in place.
    void afterNextReplace(std::function<void()> action) { m_afterReplace = std::move(action); }

protected:
    int makeTemporary(QByteArray& nameTemplate, int& fd) override;
    int writeBytes(int fd, const char* data, size_t size) override;
    int setMode(int fd, unsigned mode) override;
    int flushFile(int fd) override;
    int renameFile(const QByteArray& from, const QByteArray& to) override;
    int flushFolder(const QByteArray& folder) override;

private:
    bool failsAt(Step step);
    bool m_armed = false;
    Step m_step = Step::Write;
    int m_error = 0;
    std::function<void()> m_afterReplace;
    platform::FileWriter* m_previous;
};

} // namespace testsupport
