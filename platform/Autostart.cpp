#include "platform/Autostart.h"

#include "platform/FileIO.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace platform {

namespace {

// Splits a Windows command line: blanks separate arguments, double quotes
// group them.
QStringList splitCommandLine(const QString& commandLine) {
    QStringList args;
    QString current;
    bool inQuotes = false;
    bool started = false;
    for (QChar c : commandLine) {
        if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
            started = true;
        } else if (!inQuotes && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (started)
                args << current;
            current.clear();
            started = false;
        } else {
            current += c;
            started = true;
        }
    }
    if (started)
        args << current;
    return args;
}

QString quoteArgument(const QString& arg) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = arg.isEmpty();
    for (QChar c : arg)
        needsQuotes = needsQuotes || reserved.contains(c);
    QString out = arg;
    out.replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (!needsQuotes)
        return out;
    QString quoted;
    for (QChar c : out) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// The escapes of a desktop entry's string values.
QString escapeValue(const QString& text) {
    QString out;
    for (QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else
            out += c;
    }
    return out;
}

} // namespace

QString UserConfigFolder() {
    const QString xdg = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::homePath() + QStringLiteral("/.config");
}

QString AutostartFolder() {
    return UserConfigFolder() + QStringLiteral("/autostart");
}

QString AutostartEntryPath(const QString& name) {
    QString file = name;
    file.replace(QLatin1Char('/'), QLatin1Char('_'));
    file.replace(QChar(0), QLatin1Char('_'));
    return AutostartFolder() + QLatin1Char('/') + file + QStringLiteral(".desktop");
}

QString DesktopExec(const QString& commandLine) {
    QStringList quoted;
    for (const QString& arg : splitCommandLine(commandLine))
        quoted << quoteArgument(arg);
    return escapeValue(quoted.join(QLatin1Char(' ')));
}

namespace {

// Start-up names ignore case as the registry's names do, so one name has one
// entry: the entries under other spellings of it go. The one spelled exactly
// so stays when keepExact is set.
bool removeOtherSpellings(const QString& name, bool keepExact) {
    const QString wanted = QFileInfo(AutostartEntryPath(name)).fileName();
    QDir folder(AutostartFolder());
    bool ok = true;
    for (const QString& file : folder.entryList(QDir::Files | QDir::Hidden))
        if (file.compare(wanted, Qt::CaseInsensitive) == 0 && !(keepExact && file == wanted))
            ok = folder.remove(file) && ok;
    return ok;
}

} // namespace

bool WriteAutostartEntry(const QString& name, const QString& commandLine) {
    if (name.isEmpty() || !QDir().mkpath(AutostartFolder()) || !removeOtherSpellings(name, true))
        return false;
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=") +
                          escapeValue(name) + QStringLiteral("\nExec=") + DesktopExec(commandLine) +
                          QStringLiteral("\nTerminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n");
    return ReplaceFileAtomically(AutostartEntryPath(name), entry.toUtf8());
}

bool RemoveAutostartEntry(const QString& name) {
    return name.isEmpty() || removeOtherSpellings(name, false);
}

} // namespace platform
