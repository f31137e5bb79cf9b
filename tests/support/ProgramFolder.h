#pragma once

#include "platform/ProgramFolder.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A fresh program folder holding a copy of the shipped assets; the organiser's
// program folder points at it while the object lives. One made while another
// lives (a test case's own beside the fixture's) hands the program folder back
// to that one when it goes, never to the folder of the test program itself.
class TempProgramFolder : private platform::ProgramFolderStandIn {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

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
    QString m_previous;
};

// The shipped assets in the source tree.
QString AssetSource();

} // namespace testsupport
