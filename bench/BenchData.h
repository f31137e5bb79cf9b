#pragma once

// The data file the benchmarks work on: generated for a number of years of
// use and saved the way the organiser saves it, indented.
#include "data/cRC4.h"
#include "platform/ProgramFolder.h"
#include "platform/XmlDocument.h"

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace paired {

// Puts the organiser in this process on a benchmark's own program folder, so
// the build's data file is never touched.
struct BenchFolder : platform::ProgramFolderStandIn {
    static void use(const QString& folder) { install(folder); }
};

inline constexpr int kDaysPerYear = 200;
inline constexpr int kTasksPerDay = 5;

inline QDate day(int year, int day) {
    return QDate(2000, 1, 1).addDays(year * 365 + day * 365 / kDaysPerYear);
}
inline QString dayKey(const QDate& date) {
    return date.toString(QStringLiteral("dd-MM-yyyy"));
}
inline QString dayKey(int year, int d) {
    return dayKey(day(year, d));
}
// A day, a note and a password entry in the middle of the file.
inline QString middleDay(int years) {
    return dayKey(years / 2, kDaysPerYear / 2);
}
inline QString middleNote(int years) {
    return QStringLiteral("Note %1").arg(years * 50);
}
inline QString middlePassword(int years) {
    return QStringLiteral("Site %1").arg(years * 50);
}

// The data file as the organiser leaves it after a save.
inline QByteArray generate(int years) {
    const QString desc = EncipherField(QStringLiteral("A description of moderate length for the record, as typed"));
    QString x = QStringLiteral("<?xml version=\"1.0\"?>\n<zandor><notes>");
    for (int i = 0; i < years * 100; ++i)
        x += QStringLiteral("<note title=\"Note %1\"><date>05/07/2006</date><time>02:30:00 PM</time>"
                            "<lastedit>05/07/2006; 02:30:00 PM</lastedit><text>%2</text></note>")
                 .arg(i)
                 .arg(desc);
    x += QStringLiteral("</notes><passwords>");
    for (int i = 0; i < years * 100; ++i)
        x += QStringLiteral("<password title=\"Site %1\"><uname>%2</uname><pwd>%2</pwd><url>www.example.com</url>"
                            "<anote>%2</anote></password>")
                 .arg(i)
                 .arg(desc);
    x += QStringLiteral("</passwords>");
    for (int y = 0; y < years; ++y)
        for (int d = 0; d < kDaysPerYear; ++d) {
            x += QStringLiteral("<date d=\"%1\"><tasks>").arg(dayKey(y, d));
            for (int t = 0; t < kTasksPerDay; ++t)
                x += QStringLiteral("<task title=\"Task %1\"><priority>%2</priority><status>%3</status>"
                                    "<desc>%4</desc><remarks></remarks></task>")
                         .arg(t)
                         .arg((y + d + t) % 4)
                         .arg((d + t) % 5)
                         .arg(desc);
            x += QStringLiteral("</tasks><meetings><meeting title=\"Meeting 1\"><priority>2</priority><m_for>1</m_for>"
                                "<s_time>10:00:00 AM</s_time><e_time>11:00:00 AM</e_time><desc>%1</desc></meeting>"
                                "</meetings></date>")
                     .arg(desc);
        }
    x += QStringLiteral("</zandor>\n");
    platform::XmlDocument doc;
    if (!doc.loadXml(x.toUtf8()))
        std::abort();
    return doc.xml();
}

// Writes the file as another program would: a new file renamed over the old,
// so the organiser sees a changed file and reads it afresh. Everything is
// flushed to the disk before the timing starts: a durable save timed next
// must not pay for flushing these bytes, or another process's.
inline void putFile(const QString& path, const QByteArray& bytes) {
    const QString temp = path + QStringLiteral(".bench");
    QFile f(temp);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        std::abort();
    f.close();
    std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData());
    ::sync();
}

} // namespace paired
