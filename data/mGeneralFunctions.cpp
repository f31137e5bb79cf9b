#include "data/mGeneralFunctions.h"

#include "platform/FileIO.h"
#include "platform/Forms.h"
#include "platform/RuntimeError.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>

namespace mGeneralFunctions {

std::unique_ptr<cRC4> oRC4;

namespace {

void showError(const platform::RuntimeError& err, const QString& title) {
    platform::MsgBox(QString::number(err.number()) + QStringLiteral(" : \r\n\r\n") + err.description(),
                     platform::MsgStyle::Information, title);
}

// The run time's error for a failed file access, from what the system said.
platform::RuntimeError fileError(const QString& path, bool writing) {
    QFileInfo info(path);
    long number = 57; // Device I/O error
    if (info.isDir())
        number = 75;
    else if (!info.absoluteDir().exists())
        number = 76;
    else if (!info.exists() && !writing)
        number = 53;
    else if (info.exists() && (writing ? !info.isWritable() : !info.isReadable()))
        number = 70;
    else if (writing && !QFileInfo(info.absolutePath()).isWritable())
        number = 70;
    return platform::RuntimeError::fromNumber(number);
}

bool isHelpFile(const QString& target) {
    return target.endsWith(QLatin1String(".chm"), Qt::CaseInsensitive) && QFileInfo(target).isFile();
}

// Nothing opened it: the box says what to install.
void notOpened(const QString& target) {
    if (isHelpFile(target))
        platform::MsgBox(QStringLiteral("The Help File could not be opened:\r\n") + target +
                             QStringLiteral("\r\n\r\nPlease install a viewer for CHM help files, such as xchm, or a "
                                            "web browser to read the help pages, and try again."),
                         platform::MsgStyle::Information, QStringLiteral("Help File can't be opened!"));
    else if (QFileInfo::exists(target.trimmed()))
        platform::MsgBox(QStringLiteral("This file could not be opened:\r\n") + target +
                             QStringLiteral("\r\n\r\nNo program on this computer opens files of this kind. Please "
                                            "install one and try again."),
                         platform::MsgStyle::Information, QStringLiteral("File can't be opened!"));
    else
        platform::MsgBox(QStringLiteral("This address could not be opened:\r\n") + target +
                             QStringLiteral("\r\n\r\nNo program on this computer opens it. Please install a web "
                                            "browser (for a mail address, a mail program) and try again."),
                         platform::MsgStyle::Information, QStringLiteral("Address can't be opened!"));
}

// A help file no program opens is shown from its pages, which lie beside it
// in help/, in the browser.
void openFailed(const QString& target) {
    const QString pages = QFileInfo(target).dir().filePath(QStringLiteral("help/index.html"));
    if (isHelpFile(target) && QFileInfo(pages).isFile())
        platform::ShellExecuteOpen(pages, [target] { notOpened(target); });
    else
        notOpened(target);
}

} // namespace

void ShellOpen(const QString& fileOrUrl, const QString& ownerHandle) {
    Q_UNUSED(ownerHandle); // the desktop opens the file on its own; no owner window is involved
    platform::ShellExecuteOpen(fileOrUrl, [fileOrUrl] { openFailed(fileOrUrl); });
}

void SetTopMost(int32_t windowHandle, bool onTop) {
    platform::Ui().setTopMost(windowHandle, onTop);
}

QString ApplicationBuild(bool withBuildWord, bool withBuildNumber) {
    const QString majorMinor =
        QString::number(VELTRANE_VERSION_MAJOR) + QLatin1Char('.') + QString::number(VELTRANE_VERSION_MINOR);
    return majorMinor + ((withBuildWord && withBuildNumber) ? QStringLiteral("; build: ") : QStringLiteral(".")) +
           QString::number(VELTRANE_VERSION_REVISION);
}

bool IsBlank(const QString& text) {
    return platform::TrimSpaces(text).isEmpty();
}

void UnloadAllForms() {
    try {
        for (platform::Form* form : platform::Forms::Loaded()) {
            if (platform::Forms::IsLoaded(form))
                form->unloadForm();
        }
    } catch (const platform::RuntimeError& err) {
        showError(err, QStringLiteral("Error !"));
    }
}

bool FileExists(const QString& path) {
    if (path.contains(QChar(0))) {
        showError(platform::RuntimeError::fromNumber(52), QStringLiteral("Error ! (Source : FileExists)"));
        return false;
    }
    if (path.isEmpty())
        return false;
    QFileInfo info(path);
    const QString name = info.fileName();
    if (name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'))) {
        // A pattern matches when any file (never a folder) of the folder fits it.
        QDir dir = info.absoluteDir();
        const QStringList matches =
            dir.entryList(QStringList{name}, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        return !matches.isEmpty();
    }
    int attrs = platform::GetFileAttributes(path);
    return attrs >= 0 && !(attrs & platform::AttrDirectory);
}

QString ReadTextFile(const QString& path) {
    QByteArray bytes;
    if (!platform::ReadWholeFile(path, bytes)) {
        showError(fileError(path, false), QStringLiteral("Error !"));
        return QString();
    }
    return platform::FromAnsi(bytes);
}

bool WriteTextFile(const QString& path, const QString& text) {
    QString reason;
    if (!platform::WriteWholeFile(path, platform::ToAnsi(text), &reason)) {
        platform::RuntimeError err = fileError(path, true);
        if (reason.contains(QLatin1String("space"), Qt::CaseInsensitive))
            err = platform::RuntimeError::fromNumber(61);
        showError(err, QStringLiteral("Error !"));
        return false;
    }
    return true;
}

bool IsFormLoadedVisible(const QString& formName) {
    for (platform::Form* form : platform::Forms::Loaded())
        if (form->formName() == formName)
            return form->isFormVisible();
    return false;
}

QDate DateSerial(int year, int month, int day) {
    QDate first(year, 1, 1);
    if (!first.isValid())
        return QDate();
    return first.addMonths(month - 1).addDays(day - 1);
}

QDate GetDateOnly(const QString& dayKey) {
    const QStringList parts = dayKey.split(QLatin1Char('-'));
    if (parts.size() < 3)
        return QDate();
    bool okD = false, okM = false, okY = false;
    int d = parts[0].trimmed().toInt(&okD);
    int m = parts[1].trimmed().toInt(&okM);
    int y = parts[2].trimmed().toInt(&okY);
    if (!okD || !okM || !okY)
        return QDate();
    return DateSerial(y, m, d);
}

} // namespace mGeneralFunctions
