#include "windows/Pictures.h"

#include "platform/Files.h"

QPixmap ProgramPicture(const QString& fileName) {
    return QPixmap(platform::ProgramFile(fileName));
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const char* size : {"16", "32", "48"}) {
        const QPixmap picture = ProgramPicture(QStringLiteral("veltrane-%1.png").arg(QLatin1String(size)));
        if (!picture.isNull())
            icon.addPixmap(picture);
    }
    return icon;
}

QList<QIcon> ListViewIcons() {
    QList<QIcon> icons;
    for (const char* name : {"list-task.png", "list-meeting.png", "list-note.png", "list-password.png"})
        icons.append(QIcon(ProgramPicture(QLatin1String(name))));
    return icons;
}
