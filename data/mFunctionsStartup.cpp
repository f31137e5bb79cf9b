#include "data/cRegistry.h"
#include "data/mFunctionsServices.h"
#include "platform/ProgramFolder.h"
#include "platform/Registry.h"

namespace mFunctions {

void SetWindowsStartup(const QString& ValueName, bool Remove) {
    cRegistry reg;
    reg.setClassKey(platform::HKEY_LOCAL_MACHINE);
    reg.setSectionKey(platform::kRunKey);
    reg.setValueKey(ValueName);
    reg.setValueType(platform::REG_SZ);
    if (Remove) {
        reg.setValue(QString());
        reg.DeleteValue();
    } else {
        // The executable's own path: the folder and a ".exe" name would name
        // no file here and the entry would start nothing.
        reg.setValue(QLatin1Char('"') + platform::ExecutablePath() + QStringLiteral("\" /s"));
    }
}

} // namespace mFunctions
