#pragma once

#include <QString>

namespace platform {

// The program folder holds the person's own files: data.xml, AppCfg.cfg, the
// export templates, the backups and whatever else the organiser writes. The
// files the organiser ships and only reads (pictures, sound, help) lie in the
// shipped folder. Every path to either kind goes through here.
// Both are the executable's folder when the shipped files stand beside it (the
// build tree, a copy a person unpacked). An installed copy reads its shipped
// files where they were installed, in the data folder beside its bin folder
// (../share/veltrane), so an upgrade reaches every user, and keeps the
// person's files in their own $XDG_DATA_HOME/veltrane (by default
// ~/.local/share/veltrane); installed into ~/.local, the two are one folder.
// A stand-in (a test's or a benchmark's copy of the shipped files) may put
// one folder in use for both.
QString AppPath();
// The path of the running executable.
QString ExecutablePath();

// A file of the program folder by its name.
QString ProgramFile(const QString& fileName);
// A file the organiser ships, by its name.
QString ShippedFile(const QString& fileName);

// The folder the program's own modules are loaded from: the executable's, or
// an installed copy's library folder (../lib/veltrane).
QString ModuleFolder();

// Where a copy whose executable lies in the given folder keeps its files and
// finds its shipped files and modules. An installed copy's per-user folder is
// made here when it is missing, for the owner alone, and given copies of the
// shipped files the person changes: data.xml, AppCfg.cfg and the export
// templates. One that is there is taken as it is, so a file removed from it is
// reported as missing like anywhere else, never silently brought back; copies
// of other shipped files an earlier version put there are left alone and no
// longer read. A folder that cannot be made or filled is reported on standard
// error and in a box, and the process ends with a failure status. The running
// program asks this once.
struct ProgramFolders {
    QString program;
    QString shipped;
    QString modules;
};
ProgramFolders FoldersFor(const QString& executableFolder);

// The base of a stand-in program folder.
class ProgramFolderStandIn {
protected:
    ProgramFolderStandIn() = default;
    ~ProgramFolderStandIn() = default;
    // Puts a folder in use as both the program folder and the shipped one,
    // empty the running program's, and returns the one it replaces, for the
    // stand-in to put back when it goes.
    static QString install(const QString& folder);
};

} // namespace platform
