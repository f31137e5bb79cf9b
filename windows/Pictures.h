#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QString>

// The pictures the windows show, read from the shipped files. A missing
// picture shows as nothing; the windows work on.
QPixmap ProgramPicture(const QString& fileName);
// The program's icon: the main window's, the notification area's.
QIcon ProgramIcon();
// The record lists' icons 1 to 4: task, meeting, note, password entry.
QList<QIcon> ListViewIcons();
