#pragma once

#include <QString>

namespace platform {

// The program folder: where data.xml, AppCfg.cfg and the other files the
// organiser ships and keeps live. Every path to one of them goes through here.
// It is the executable's folder when the shipped files stand beside it (the
// build tree, a copy a person unpacked). An installed copy, whose shipped
// files lie in the data folder beside its bin folder (../share/veltrane),
// keeps its files in the user's own $XDG_DATA_HOME/veltrane (by default
// ~/.local/share/veltrane). Tests point it at a temporary folder.
QString AppPath();
void SetAppPath(const QString& folder);
// The path of the running executable.
QString ExecutablePath();

// A file of the program folder by its name.
QString ProgramFile(const QString& fileName);

// The folder the program's own modules are loaded from: the executable's, or
// an installed copy's library folder (../lib/veltrane).
QString ModuleFolder();

// Where a copy whose executable lies in the given folder keeps its files and
// finds its modules. An installed copy's per-user folder is made here when it
// is missing, for the owner alone, and filled with copies of the shipped
// files; one that is there is taken as it is, so a file removed from it is
// reported as missing like anywhere else, never silently brought back. The
// running program asks this once.
struct ProgramFolders {
    QString program;
    QString modules;
};
ProgramFolders FoldersFor(const QString& executableFolder);

} // namespace platform
