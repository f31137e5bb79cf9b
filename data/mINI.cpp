#include "data/mINI.h"

#include "platform/FileIO.h"
#include "platform/ProfileFile.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <QRegularExpression>

namespace mINI {

namespace {

QString g_fileName;
int32_t g_bufferSize = 0;

// A line break cannot stand inside a value of the file, so it is kept there
// as this token.
const QString kLineBreakToken = QStringLiteral("%%&&Chr(13)&&%%");
const QString kCrLf = QStringLiteral("\r\n");

void checkSet() {
    if (g_bufferSize == 0)
        throw platform::RuntimeError(670, QStringLiteral("INIReadWrite"), QStringLiteral("Buffer size not set"));
    if (g_fileName.isEmpty())
        throw platform::RuntimeError(670, QStringLiteral("INIReadWrite"), QStringLiteral("Filename not set"));
}

} // namespace

void SetINI(const QString& fileName, int32_t bufferSize) {
    g_fileName = fileName;
    g_bufferSize = bufferSize;
}

platform::Variant ReadINI(const QString& Section, const QString& Key, const platform::Variant& Default) {
    checkSet();
    QString value;
    if (platform::GetPrivateProfileString(Section, Key, Default.toString(), value, g_bufferSize, g_fileName) == 0)
        value.clear();
    return platform::Variant(value.replace(kLineBreakToken, kCrLf));
}

bool WriteINI(const QString& Section, const QString& Key, const platform::Variant& Value) {
    checkSet();
    QString text = Value.toString();
    return platform::WritePrivateProfileString(Section, Key, text.replace(kCrLf, kLineBreakToken), g_fileName);
}

bool INISectionExists(const QString& fileName, const QString& sectionName) {
    const int attrs = platform::GetFileAttributes(fileName);
    if (attrs < 0 || (attrs & (platform::AttrDirectory | platform::AttrHidden | platform::AttrSystem))) {
        platform::MsgBox(fileName + QStringLiteral(" not found."), platform::MsgStyle::Critical,
                         QStringLiteral("File Not Found"));
        return false;
    }
    QByteArray bytes;
    if (!platform::ReadWholeFile(fileName, bytes))
        return false;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QString header = QLatin1Char('[') + sectionName + QLatin1Char(']');
    const QStringList lines = platform::FromAnsi(bytes).split(lineBreak);
    return lines.contains(header);
}

} // namespace mINI
