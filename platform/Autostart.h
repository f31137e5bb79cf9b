#pragma once

#include <QString>

namespace platform {

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute
// path, else ~/.config.
QString UserConfigFolder();
// Where the desktop starts programs from when the user signs in.
QString AutostartFolder();
// The entry file for a start-up name.
QString AutostartEntryPath(const QString& name);

// Makes the desktop run a command line when the user signs in. The command is
// written as a Windows command line: a program path, in double quotes when it
// holds blanks, then its arguments. Names ignore case: an entry under another
// spelling of the name is replaced.
bool WriteAutostartEntry(const QString& name, const QString& commandLine);
// Removes the entry, under any spelling of the name; true also when there was
// none.
bool RemoveAutostartEntry(const QString& name);

// The command line in the quoting and escaping a desktop entry's Exec key
// requires.
QString DesktopExec(const QString& commandLine);

} // namespace platform
