#include "data/DataFile.h"

#include "data/mGeneralFunctions.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <QDir>

namespace DataFile {

QString Path() {
    return QDir::toNativeSeparators(platform::ProgramFile(QStringLiteral("data.xml")));
}

void Fatal() {
    platform::MsgBox(
        QStringLiteral("Datebase File is missing or invalid. Please try installing the Applcation to solve "
                       "this error issue.\r\n\r\nApplication can not work without Data file or with "
                       "invalid Data File. Hence Application will terminate now."),
        platform::MsgStyle::Critical, QStringLiteral("Data File is missing or invalid!"));
    mGeneralFunctions::UnloadAllForms();
    platform::EndProcess(0);
}

void LoadOrDie(platform::XmlDocument& doc) {
    if (!doc.load(Path()))
        Fatal();
}

bool Save(platform::XmlDocument& doc) {
    if (doc.save(Path()))
        return true;
    platform::MsgBox(QStringLiteral("Your changes could not be written to the Data File:\r\n") + Path() +
                         QStringLiteral("\r\n") + doc.lastError() +
                         QStringLiteral("\r\n\r\nThe Data File was left as it was before this change."),
                     platform::MsgStyle::Critical, QStringLiteral("Data File could not be saved!"));
    return false;
}

bool CheckStorable(QStringView title, std::initializer_list<QStringView> values) {
    QString what;
    if (!platform::IsXmlText(title))
        what = QStringLiteral("The title");
    else
        for (QStringView value : values)
            if (!platform::IsXmlText(value))
                what = QStringLiteral("One of the fields");
    if (what.isEmpty())
        return true;
    platform::MsgBox(what + QStringLiteral(" holds a character that can not be stored in the Data File, such as a "
                                           "control character. Please remove it and try again."),
                     platform::MsgStyle::Information, QStringLiteral("Changes can not be saved!"));
    return false;
}

void RemoveStaleTemporaries() {
    platform::RemoveStaleTemporaries(Path());
}

platform::XmlNode RootOrDie(platform::XmlDocument& doc) {
    platform::XmlNode root = doc.selectSingleNode(QStringLiteral(".//zandor"));
    if (!root)
        Fatal();
    return root;
}

} // namespace DataFile
