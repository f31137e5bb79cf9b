#pragma once

#include "data/Views.h"
#include "data/cRC4.h"
#include "data/mGeneralFunctions.h"
#include "platform/Forms.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Menus.h"
#include "platform/ui/NotifyIcon.h"
#include "windows/CommandDispatcher.h"
#include "windows/frmDisplay.h"
#include "windows/frmMain.h"
#include "windows/mMain.h"

#include "FakeInputs.h"
#include "FakeOpener.h"
#include "FakeSystemTray.h"
#include "MessageBoxResponder.h"
#include "PopupMenuAnswers.h"
#include "ProgramFolder.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

// Texts in failure messages as text.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{' << l.join(QStringLiteral("; ")).toStdString() << '}';
}

namespace fixture {

inline QString escaped(QString text) {
    return text.replace(QLatin1Char('&'), QLatin1String("&amp;"))
        .replace(QLatin1Char('<'), QLatin1String("&lt;"))
        .replace(QLatin1Char('>'), QLatin1String("&gt;"))
        .replace(QLatin1Char('"'), QLatin1String("&quot;"));
}

inline QString element(const char* name, const QString& text) {
    return QStringLiteral("<%1>%2</%1>").arg(QLatin1String(name), escaped(text));
}

// An optional field as the editors store it: blank as typed, else enciphered.

inline QString task(const QString& title, const QString& priority, const QString& status,
                    const QString& desc = QString(), const QString& remarks = QString()) {
    return QStringLiteral("<task title=\"%1\">").arg(escaped(title)) + element("priority", priority) +
           element("status", status) + element("desc", EncipherOptionalField(desc)) +
           element("remarks", EncipherOptionalField(remarks)) + QStringLiteral("</task>");
}

inline QString meeting(const QString& title, const QString& priority, const QString& meetingFor, const QString& start,
                       const QString& end) {
    return QStringLiteral("<meeting title=\"%1\">").arg(escaped(title)) + element("priority", priority) +
           element("m_for", meetingFor) + element("s_time", start) + element("e_time", end) + element("desc", "") +
           QStringLiteral("</meeting>");
}

inline QString day(const QString& key, const QString& tasks, const QString& meetings = QString()) {
    return QStringLiteral("<date d=\"%1\"><tasks>%2</tasks><meetings>%3</meetings></date>").arg(key, tasks, meetings);
}

inline QString note(const QString& title, const QString& date, const QString& time, const QString& text) {
    return QStringLiteral("<note title=\"%1\">").arg(escaped(title)) + element("date", date) + element("time", time) +
           element("lastedit", date + QStringLiteral("; ") + time) + element("text", EncipherField(text)) +
           QStringLiteral("</note>");
}

inline QString password(const QString& title, const QString& user, const QString& pwd, const QString& url) {
    return QStringLiteral("<password title=\"%1\">").arg(escaped(title)) +
           element("uname", EncipherOptionalField(user)) + element("pwd", EncipherField(pwd)) + element("url", url) +
           element("anote", "") + QStringLiteral("</password>");
}

inline QByteArray data(const QString& days, const QString& notes = QString(), const QString& passwords = QString()) {
    return (QStringLiteral("<?xml version=\"1.0\"?>\n<zandor><notes>%1</notes><passwords>%2</passwords>%3</zandor>")
                .arg(notes, passwords, days))
        .toUtf8();
}

// A list's rows as "text|sub-item 1|sub-item 2|...", in the order shown.
inline QStringList rows(platform::ListView* list, int subItems) {
    QStringList out;
    auto items = list->ListItems();
    for (int i = 1; i <= items.Count(); ++i) {
        QStringList cells{items.Item(i)->Text()};
        for (int s = 1; s <= subItems; ++s)
            cells << items.Item(i)->SubItems(s);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

inline QStringList columns(platform::ListView* list) {
    QStringList out;
    auto headers = list->ColumnHeaders();
    for (int i = 1; i <= headers.Count(); ++i)
        out << headers.Item(i).Text();
    return out;
}

// Lets posted events (notifications, deferred deletes, list fills) run.
inline void drain() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace fixture

// The organiser in a fresh program folder on a fixed Friday afternoon, with
// every message box answered by the test, no real notification area and no
// other running copy.
class WindowsTest : public ::testing::Test {
protected:
    WindowsTest() : clock(QDateTime(QDate(2025, 3, 7), QTime(14, 5, 9))) {}

    void SetUp() override {
        qputenv("XDG_RUNTIME_DIR", runtime().path().toUtf8());
        mFunctions::SetCurrentView(mFunctions::ViewToday);
    }

    void TearDown() override {
        popups.answerWith({});
        r->answers.clear();
        r->onModal = nullptr;
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
        views::InstallLoaders({});
    }

    frmMain& openMain() {
        frmMain& main = platform::Forms::Get<frmMain>();
        main.Show();
        fixture::drain();
        return main;
    }

    // Starts the organiser as its program does, with this command line.
    frmMain& startMain(const QString& command) {
        mMain::Main(command);
        fixture::drain();
        return *platform::Forms::IfLoaded<frmMain>();
    }

    // Answers the next pop-up menu by choosing the entry of that name (and
    // index), and remembers which menu popped up.
    void choosePopupEntry(const QString& name, int index = -1) {
        popups.answerWith([this, name, index](QMenu* menu, const QPoint&) {
            poppedUp << menu->objectName();
            if (QAction* entry = platform::FindMenuEntry(menu, name, index))
                entry->trigger();
        });
    }

    // Switches the main area to the record list of a side-bar item ("sh_task",
    // "sh_mtg", "sh_note" or "sh_pwd") and returns the list.
    static platform::ListView* showRecordList(const char* item) {
        mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QLatin1String(item));
        return platform::Forms::IfLoaded<frmDisplay>()->lstData;
    }

    // Selects a list's row by its 1-based position.
    static void selectRow(platform::ListView* list, int index) { list->SetSelectedItem(list->ListItems().Item(index)); }

    static QString key(const QDate& d) { return d.toString(QStringLiteral("dd-MM-yyyy")); }

    // A runtime folder of this process's own, so copies of the test program
    // running side by side are not taken for a second organiser. It outlives
    // the single-instance lock taken in it.
    static const QTemporaryDir& runtime() {
        static QTemporaryDir dir;
        return dir;
    }

    // The data file with the whitespace between elements removed.
    QString savedData() const {
        QString s = QString::fromUtf8(folder.readData());
        s.remove(QLatin1Char('\n')).remove(QLatin1Char('\t')).remove(QLatin1Char('\r'));
        return s;
    }

    testsupport::TempProgramFolder folder;
    testsupport::ScopedResponder r;
    testsupport::FakeClock clock;
    testsupport::FakeSystemTray tray{true};
    testsupport::PopupMenuAnswers popups;
    QStringList poppedUp;
    const QDate today{2025, 3, 7};
};
