#include "ProgramFolder.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <stdexcept>

namespace testsupport {

QString AssetSource() {
    return QStringLiteral(VELTRANE_ASSET_DIR);
}

TempProgramFolder::TempProgramFolder() : m_before(platform::AppPath()) {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary program folder");
    QDir src(AssetSource());
    QDirIterator it(src.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString rel = src.relativeFilePath(from);
        if (rel == QLatin1String("CMakeLists.txt"))
            continue;
        const QString to = QDir(m_dir.path()).filePath(rel);
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(from, to);
        QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    platform::SetAppPath(m_dir.path());
}

TempProgramFolder::~TempProgramFolder() {
    platform::SetAppPath(m_before);
}

QString TempProgramFolder::file(const QString& name) const {
    return QDir(m_dir.path()).filePath(name);
}

void TempProgramFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

QByteArray TempProgramFolder::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

} // namespace testsupport
