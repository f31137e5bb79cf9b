#include "data/cRC4.h"
#include "data/mFunctionsServices.h"
#include "data/mGeneralFunctions.h"
#include "data/mINI.h"
#include "platform/ProgramFolder.h"

namespace mFunctions {

QString AccessAppPassword(bool Store, const QString& NewPassword) {
    const QString fileName = platform::ProgramFile(QStringLiteral("AppCfg.cfg"));
    mINI::SetINI(fileName, 5000);
    if (!mINI::INISectionExists(fileName, QStringLiteral("password")))
        return QStringLiteral("ERR#Application Configuration File is not valid! Please try reinstalling the "
                              "Application to solve this error issue.");
    mGeneralFunctions::oRC4 = std::make_unique<cRC4>();
    if (Store) {
        if (!mINI::WriteINI(QStringLiteral("password"), QStringLiteral("password"),
                            mGeneralFunctions::oRC4->EncryptString(NewPassword, kDataKey, true)))
            return QStringLiteral("ERR#Application Access Password could not be written to the Application "
                                  "Configuration File. Please make sure the file can be written and try again.");
        return QString();
    }
    const QString stored = mINI::ReadINI(QStringLiteral("password"), QStringLiteral("password"), QString()).toString();
    if (mGeneralFunctions::IsBlank(stored))
        return stored;
    return mGeneralFunctions::oRC4->DecryptString(stored, kDataKey, true);
}

} // namespace mFunctions
