#include "platform/Modules.h"

#include "platform/ProgramFolder.h"

#include <QLibrary>

namespace platform {

void* ModuleFunction(const QString& module, const char* function) {
    // From the module folder even where tests move the program folder: the
    // modules are built or installed, never copied with the shipped files.
    QLibrary library(ModuleFolder() + QLatin1Char('/') + module);
    return reinterpret_cast<void*>(library.resolve(function));
}

} // namespace platform
