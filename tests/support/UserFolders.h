#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// Points the environment variable naming one of the user's folders at a fresh
// temporary folder (made for the owner alone) while the object lives, so the
// code under test never touches the real one.
class TempUserFolder {
public:
    explicit TempUserFolder(const char* variable);
    ~TempUserFolder();
    TempUserFolder(const TempUserFolder&) = delete;
    TempUserFolder& operator=(const TempUserFolder&) = delete;

    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const;

private:
    QByteArray m_variable;
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious = false;
};

// The configuration folder ($XDG_CONFIG_HOME): the registry file and the
// autostart entries.
class TempConfigFolder : public TempUserFolder {
public:
    TempConfigFolder() : TempUserFolder("XDG_CONFIG_HOME") {}
};

// The runtime folder ($XDG_RUNTIME_DIR): the single-instance locks, so tests
// running side by side never see each other's.
class TempRuntimeFolder : public TempUserFolder {
public:
    TempRuntimeFolder() : TempUserFolder("XDG_RUNTIME_DIR") {}
};

} // namespace testsupport
