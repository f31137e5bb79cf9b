#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// Points the user's configuration folder ($XDG_CONFIG_HOME) at a fresh
// temporary folder while the object lives, so the registry file and the
// autostart entries never touch the real ones.
class TempConfigFolder {
public:
    TempConfigFolder();
    ~TempConfigFolder();

    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious = false;
};

} // namespace testsupport
