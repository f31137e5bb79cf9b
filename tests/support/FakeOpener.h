#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

// The desktop's opener while the object lives: a script named xdg-open, put
// first on PATH, that notes every file or address it is handed and ends with
// status 0, as an opener that found a program does, unless told to fail.
class FakeOpener {
public:
    FakeOpener();
    ~FakeOpener();
    FakeOpener(const FakeOpener&) = delete;
    FakeOpener& operator=(const FakeOpener&) = delete;

    // From now on the opener ends with the status for whatever ends with the
    // suffix (for everything when it is empty), as xdg-open ends with 3 when
    // no program opens that kind of file.
    void fail(int status, const QString& suffix = QString());
    // No opener at all on PATH from now on.
    void remove();

    // Everything handed to the opener so far, once every opener the program
    // started has ended and what follows its end has run.
    QStringList urls() const;
    void clear();

private:
    void writeScript(int status, const QString& suffix);

    QTemporaryDir m_dir;
    QByteArray m_path;
};

} // namespace testsupport
