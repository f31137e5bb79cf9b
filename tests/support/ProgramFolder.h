#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A fresh program folder holding a copy of the shipped assets; the organiser's
// program folder points at it while the object lives, and then at the one it
// pointed at before: a folder made inside a test leaves the test's own folder
// in place, never the build's, which every test program running shares.
class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();

    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const;
    QString dataFile() const { return file(QStringLiteral("data.xml")); }

    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    void writeData(const QByteArray& xml) const { write(QStringLiteral("data.xml"), xml); }
    QByteArray readData() const { return read(QStringLiteral("data.xml")); }
    // Writes data.xml again as another program would, changed only in its
    // layout, so the next operation reads the file rather than reusing what
    // it read or wrote last.
    void rewriteData() const { writeData(readData() + '\n'); }

private:
    QTemporaryDir m_dir;
    QString m_before;
};

// The shipped assets in the source tree.
QString AssetSource();

} // namespace testsupport
