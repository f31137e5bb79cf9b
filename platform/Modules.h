#pragma once

#include <QString>

namespace platform {

// A function of one of the program's own modules, which lie in the module
// folder (ProgramFolder.h), loaded on first use; null when the module or the
// function is missing.
void* ModuleFunction(const QString& module, const char* function);

} // namespace platform
