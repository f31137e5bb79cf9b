#include "platform/Modules.h"

#include <QCoreApplication>
#include <QLibrary>

namespace platform {

void* ModuleFunction(const QString& module, const char* function) {
    // Beside the executable even where tests move the program folder: the
    // modules are built, not copied with the shipped files.
    QLibrary library(QCoreApplication::applicationDirPath() + QLatin1Char('/') + module);
    return reinterpret_cast<void*>(library.resolve(function));
}

} // namespace platform
