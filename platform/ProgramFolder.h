#pragma once

#include <QString>

namespace platform {

// The program folder: where data.xml, AppCfg.cfg and the other files the
// organiser ships and keeps live. Every path to one of them goes through here.
// It is the executable's folder; tests point it at a temporary folder.
QString AppPath();
void SetAppPath(const QString& folder);
// The path of the running executable.
QString ExecutablePath();

// A file of the program folder by its name.
QString ProgramFile(const QString& fileName);

} // namespace platform
