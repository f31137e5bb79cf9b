#pragma once

#include <QString>
#include <QTemporaryFile>

namespace testsupport {

// Catches what the code under test writes to standard error while the object
// lives; it goes to a file instead and is written out again at the end.
class CapturedStandardError {
public:
    CapturedStandardError();
    ~CapturedStandardError();
    CapturedStandardError(const CapturedStandardError&) = delete;
    CapturedStandardError& operator=(const CapturedStandardError&) = delete;

    // Everything written so far.
    QString text() const;

private:
    QTemporaryFile m_file;
    int m_saved = -1;
};

} // namespace testsupport
