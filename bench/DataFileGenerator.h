#pragma once

// The generated data file the record stores and the list loaders are
// measured on: 1,000 days holding 10,000 tasks and 2,000 meetings, 1,000 notes and
// 1,000 password entries, with enciphered fields as the editors write them,
// and one day with a single task.
#include "data/cRC4.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace benchdata {

inline QString dayKey(int i) {
    return QDate(2020, 1, 1).addDays(i).toString(QStringLiteral("dd-MM-yyyy"));
}

inline QByteArray generate() {
    const QString desc = EncipherField(QStringLiteral("A description of moderate length for the record"));
    QString x = QStringLiteral("<?xml version=\"1.0\"?>\n<zandor>\n<notes>\n");
    for (int i = 0; i < 1000; ++i)
        x += QStringLiteral("<note title=\"Note %1\"><date>05/07/2006</date><time>02:30:00 PM</time>"
                            "<lastedit>05/07/2006; 02:30:00 PM</lastedit><text>%2</text></note>\n")
                 .arg(i)
                 .arg(desc);
    x += QStringLiteral("</notes>\n<passwords>\n");
    for (int i = 0; i < 1000; ++i)
        x += QStringLiteral("<password title=\"Site %1\"><uname>%2</uname><pwd>%2</pwd><url>www.example.com</url>"
                            "<anote></anote></password>\n")
                 .arg(i)
                 .arg(desc);
    x += QStringLiteral("</passwords>\n");
    for (int d = 0; d < 1000; ++d) {
        x += QStringLiteral("<date d=\"%1\"><tasks>").arg(dayKey(d));
        for (int t = 0; t < 10; ++t)
            x += QStringLiteral("<task title=\"Task %1\"><priority>2</priority><status>0</status><desc>%2</desc>"
                                "<remarks></remarks></task>")
                     .arg(t)
                     .arg(desc);
        x += QStringLiteral("</tasks><meetings>");
        for (int m = 0; m < 2; ++m)
            x += QStringLiteral("<meeting title=\"Meeting %1\"><priority>2</priority><m_for>1</m_for>"
                                "<s_time>10:00:00 AM</s_time><e_time>11:00:00 AM</e_time><desc>%2</desc></meeting>")
                     .arg(m)
                     .arg(desc);
        x += QStringLiteral("</meetings></date>\n");
    }
    // One day with a single task, for deletes that empty a day.
    x += QStringLiteral(
        "<date d=\"01-01-2019\"><tasks><task title=\"Lonely\"><priority>2</priority>"
        "<status>0</status><desc></desc><remarks></remarks></task></tasks><meetings></meetings></date>\n");
    x += QStringLiteral("</zandor>\n");
    return x.toUtf8();
}

} // namespace benchdata
