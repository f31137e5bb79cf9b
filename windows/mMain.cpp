#include "windows/mMain.h"

#include "data/mFunctionsServices.h"
#include "data/mGeneralFunctions.h"
#include "data/mINI.h"
#include "platform/ProgramFolder.h"
#include "platform/Ui.h"
#include "windows/frmAppPassword.h"
#include "windows/frmChangePassword.h"
#include "windows/frmMain.h"

#include <utility>

namespace mMain {

namespace {
QString startCommand;
} // namespace

QString TakeStartCommand() {
    return std::exchange(startCommand, QString());
}

bool SwitchOn(const platform::Variant& value, const QString& byDefault) {
    const QString text = value.toString().trimmed();
    // The words a Boolean is written as count too, so every reader of a
    // switch agrees on them whatever its default.
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok)
        return byDefault.trimmed().toDouble() != 0;
    return number != 0;
}

void AskForFirstPassword() {
    platform::MsgBox(QStringLiteral("It looks like you have not set Application Access Password before. So, please "
                                    "set the Password now. Thereafter, you will be asked to enter the Password to "
                                    "start Application. You can always disable this Application Password "
                                    "Protection from Application's Main Menu."),
                     platform::MsgStyle::Information, QStringLiteral("Please set Password now ..."));
}

void Main(const QString& command) {
    startCommand = command;
    const QString config = platform::ProgramFile(QStringLiteral("AppCfg.cfg"));
    if (!mGeneralFunctions::FileExists(config)) {
        const QString text = QStringLiteral("Application Configuration File is not valid! Please try reinstalling the "
                                            "Application to solve this error issue.");
        const QString title = QStringLiteral("Application can't be Started!");
        platform::ReportFailure(text + QStringLiteral("\r\n") + config, title);
        platform::MsgBox(text, platform::MsgStyle::Critical, title);
        platform::EndProcess(EXIT_FAILURE);
    }
    mINI::SetINI(config, 5000);
    if (!SwitchOn(mINI::ReadINI(QStringLiteral("password"), QStringLiteral("enabled"), QStringLiteral("1")),
                  QStringLiteral("1"))) {
        platform::Forms::Get<frmMain>().Show();
        return;
    }
    if (mGeneralFunctions::IsBlank(mFunctions::AccessAppPassword(false, QString()))) {
        AskForFirstPassword();
        platform::Forms::Get<frmChangePassword>().Show();
        return;
    }
    platform::Forms::Get<frmAppPassword>().Show();
}

} // namespace mMain
