#include "ConfigFolder.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace testsupport {

TempConfigFolder::TempConfigFolder() {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary configuration folder");
    m_hadPrevious = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    m_previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
}

TempConfigFolder::~TempConfigFolder() {
    if (m_hadPrevious)
        qputenv("XDG_CONFIG_HOME", m_previous);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

QString TempConfigFolder::file(const QString& relative) const {
    return QDir(m_dir.path()).filePath(relative);
}

} // namespace testsupport
