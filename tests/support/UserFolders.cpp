#include "UserFolders.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace testsupport {

TempUserFolder::TempUserFolder(const char* variable) : m_variable(variable) {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary user folder");
    m_hadPrevious = qEnvironmentVariableIsSet(variable);
    m_previous = qgetenv(variable);
    qputenv(variable, QFile::encodeName(m_dir.path()));
}

TempUserFolder::~TempUserFolder() {
    if (m_hadPrevious)
        qputenv(m_variable.constData(), m_previous);
    else
        qunsetenv(m_variable.constData());
}

QString TempUserFolder::file(const QString& relative) const {
    return QDir(m_dir.path()).filePath(relative);
}

} // namespace testsupport
