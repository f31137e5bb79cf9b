#include "windows/Pictures.h"

#include "platform/Files.h"

#include <QPixmapCache>

QPixmap ProgramPicture(const QString& fileName) {
    // Every Today view, record list and dialog shows the same few pictures;
    // each file is read once, not again at every view switch or opening.
    const QString path = platform::ProgramFile(fileName);
    QPixmap picture;
    if (!QPixmapCache::find(path, &picture) && picture.load(path))
        QPixmapCache::insert(path, picture);
    return picture;
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
