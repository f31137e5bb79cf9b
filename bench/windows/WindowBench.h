#pragma once

// What the benchmarks of the windows share: a program folder of their own,
// the organiser started in it as its main starts it, the answers a person
// going ahead gives, and clicks delivered to the side bar and its calendar
// as the window system delivers them, so the same handlers run.
#include "../BenchData.h"
#include "../PaintWait.h"
#include "controls/ABar.h"
#include "data/Views.h"
#include "data/mGeneralFunctions.h"
#include "platform/ProgramFolder.h"
#include "platform/Ui.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MonthView.h"
#include "windows/SideBarItems.h"
#include "windows/frmDisplay.h"
#include "windows/frmSideBar.h"
#include "windows/frmToday.h"
#include "windows/mMain.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace paired {

// Answers every box as a person going ahead would; the editors are driven
// through their own handlers, so nothing is shown modally.
class GoAhead : public platform::UiHandler {
public:
    platform::MsgAnswer messageBox(const QString&, platform::MsgStyle style, const QString&) override {
        return style == platform::MsgStyle::YesNoQuestion ? platform::MsgAnswer::Yes : platform::MsgAnswer::Ok;
    }
    void showModal(QObject*) override {}
    [[noreturn]] void endProcess(int) override { std::abort(); }
    void setTopMost(int32_t, bool) override {}
};

// A program folder of its own: the files the build put beside the organiser,
// a configuration that asks for no access password, and the data file the
// benchmark writes, so the build's own data file is never touched.
class ProgramFolder {
public:
    ProgramFolder() {
        const QDir built(QCoreApplication::applicationDirPath());
        const QStringList assets = {QStringLiteral("*.png"), QStringLiteral("*.txt"), QStringLiteral("*.wav")};
        for (const QString& name : built.entryList(assets, QDir::Files))
            QFile::copy(built.filePath(name), m_dir.filePath(name));
        QFile config(m_dir.filePath(QStringLiteral("AppCfg.cfg")));
        if (!config.open(QIODevice::WriteOnly) ||
            config.write("[password]\nenabled=0\npassword=\n\n[app]\nstartup=0\n") < 0)
            std::abort();
    }
    QString path() const { return m_dir.path(); }
    QString dataFile() const { return m_dir.filePath(QStringLiteral("data.xml")); }

private:
    QTemporaryDir m_dir;
};

// The data file of the size measured now: generated, and written into the
// folder, when a size is first asked for.
struct SizedData {
    QByteArray original;
    int years = 0;
    void use(int wanted, const ProgramFolder& folder) {
        if (years == wanted)
            return;
        years = wanted;
        original = generate(years);
        putFile(folder.dataFile(), original);
        std::printf("%d years: data.xml of %lld bytes\n", years, static_cast<long long>(original.size()));
    }
};

// Starts the organiser on a program folder in this process, as its main
// does, and lets the first window paint.
inline void startOrganiser(const QString& folder, PaintWatch& watch) {
    BenchFolder::use(folder);
    platform::InstallUiHandler(std::make_shared<GoAhead>());
    mMain::Main();
    watch.settle();
}

inline void click(QWidget* target, const QPoint& at) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
}

// The side bar's command items, clicked where they are drawn. Where that is
// is found the way a person's pointer finds it, passing down the bar (with a
// button held, so the bar's hover polling stays off); an item of a closed
// group is clicked once its group is opened by a click on its header.
class SideBar {
public:
    explicit SideBar(PaintWatch& watch) : m_watch(watch) {}

    void click(const QString& itemKey) { paired::click(bar(), at(itemKey)); }

private:
    static ExplorerBar* bar() { return platform::Forms::Get<frmSideBar>().ucOptionBar; }

    QPoint at(const QString& itemKey) {
        if (m_items.empty())
            find();
        if (!m_items.count(itemKey)) {
            for (const SideBarItem& item : kSideBarItems)
                if (itemKey == QLatin1String(item.key) && m_headers.count(QLatin1String(item.group))) {
                    paired::click(bar(), m_headers[QLatin1String(item.group)]);
                    m_watch.settle();
                    find();
                }
        }
        if (!m_items.count(itemKey)) {
            std::fprintf(stderr, "the side bar shows no item %s\n", qPrintable(itemKey));
            std::abort();
        }
        return m_items[itemKey];
    }

    void find() {
        ExplorerBar* pane = bar();
        QString item, header;
        // The first and last line the pointer was over each item or header on.
        std::map<QString, std::pair<int, int>> items, headers;
        const auto connections = {
            QObject::connect(pane, &ExplorerBar::ItemHover, [&](const QString&, const QString& key) { item = key; }),
            QObject::connect(pane, &ExplorerBar::ItemOut, [&](const QString&, const QString&) { item.clear(); }),
            QObject::connect(pane, &ExplorerBar::GroupHover, [&](const QString& key) { header = key; }),
            QObject::connect(pane, &ExplorerBar::GroupOut, [&](const QString&) { header.clear(); }),
        };
        const int x = pane->width() / 2;
        for (int y = 0; y < pane->height(); ++y) {
            move(pane, QPoint(x, y));
            for (auto [over, spans] : {std::pair(&item, &items), std::pair(&header, &headers)})
                if (!over->isEmpty())
                    spans->try_emplace(*over, y, y).first->second.second = y;
        }
        move(pane, QPoint(1, 1));
        for (const QMetaObject::Connection& c : connections)
            QObject::disconnect(c);
        m_items.clear();
        m_headers.clear();
        for (const auto& [key, span] : items)
            m_items[key] = QPoint(x, (span.first + span.second) / 2);
        for (const auto& [key, span] : headers)
            m_headers[key] = QPoint(x, (span.first + span.second) / 2);
    }

    static void move(QWidget* target, const QPoint& at) {
        QMouseEvent event(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::RightButton,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    PaintWatch& m_watch;
    std::map<QString, QPoint> m_items, m_headers;
};

// The side bar's calendar: a day clicked in its month, the month and the day
// brought into sight first, as a person pages and scrolls to it.
class Calendar {
public:
    // Shows the day's month and scrolls its cell into sight; untimed.
    static void showMonth(const QDate& day) {
        calendar()->setCurrentPage(day.year(), day.month());
        view()->scrollTo(cellOf(day));
    }

    // Clicks the day, which must be in sight.
    static void click(const QDate& day) {
        QTableView* table = view();
        const QPoint at = table->visualRect(cellOf(day)).center();
        if (table->viewport()->rect().contains(at)) {
            paired::click(table->viewport(), at);
            if (calendar()->selectedDate() == day)
                return;
        }
        std::fprintf(stderr, "the calendar shows no day %s to click\n", qPrintable(day.toString()));
        std::abort();
    }

    // Two days of a data file in one month, between the 14th and the 21st, so
    // a click on either changes both of the Today view's lists.
    static std::pair<QDate, QDate> twoDays(int years) {
        for (int d = kDaysPerYear / 2;; ++d) {
            const QDate a = paired::day(years / 2, d), b = paired::day(years / 2, d + 1);
            if (a.month() == b.month() && a.day() >= 14 && b.day() <= 21)
                return {a, b};
        }
    }

private:
    static platform::MonthView* calendar() { return platform::Forms::Get<frmSideBar>().ucCalender; }
    static QTableView* view() { return calendar()->findChild<QTableView*>(); }

    // The cell of a day between the 14th and the 21st of the month shown: the
    // days the calendar shows once only.
    static QModelIndex cellOf(const QDate& day) {
        const QAbstractItemModel* model = view()->model();
        for (int r = 0; r < model->rowCount(); ++r)
            for (int c = 0; c < model->columnCount(); ++c) {
                const QModelIndex cell = model->index(r, c);
                if (model->data(cell, Qt::DisplayRole).toString() == QString::number(day.day()))
                    return cell;
            }
        return {};
    }
};

// Whether w is a part of one of the record lists of a window of type T, such
// as the list's viewport.
template <class T> bool listOf(const QWidget* w) {
    return inside<platform::ListView>(w) && inside<T>(w);
}

inline bool todayLists(const QWidget* w) {
    return listOf<frmToday>(w);
}
inline bool recordList(const QWidget* w) {
    return listOf<frmDisplay>(w);
}

// The organiser in this process, driven as a person drives it. Each action
// gives the seconds from its input until what it changed is painted and the
// window is still; the steps that bring the window to where the action
// starts are not timed.
class Organiser {
public:
    explicit Organiser(const QString& folder) { startOrganiser(folder, m_watch); }
    // Unloads every window, as the end of the organiser does, while the
    // application still stands.
    ~Organiser() {
        mGeneralFunctions::UnloadAllForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    Organiser(const Organiser&) = delete;
    Organiser& operator=(const Organiser&) = delete;

    PaintWatch& watch() { return m_watch; }
    SideBar& sideBar() { return m_sideBar; }

    // A day clicked in the calendar with the Today view shown.
    double clickDay(const QDate& day) {
        if (mFunctions::CurrentView() != mFunctions::ViewToday)
            showToday();
        Calendar::showMonth(day);
        m_watch.settle();
        return m_watch.timeInput(todayLists, [&] { Calendar::click(day); });
    }

    // Show All Tasks clicked with the Today view shown.
    double showAllTasks() {
        if (mFunctions::CurrentView() != mFunctions::ViewToday)
            showToday();
        return m_watch.timeInput(recordList, [&] { m_sideBar.click(QStringLiteral("sh_task")); });
    }

    // Remove selected Task clicked with every task listed as the file is now
    // and the task of the day and title selected.
    double removeTask(const QString& dayKey, const QString& title) {
        showAllTasks();
        platform::ListView* list = platform::Forms::Get<frmDisplay>().lstData;
        for (int i = 1; i <= list->ListItems().Count(); ++i) {
            platform::ListItem* row = list->ListItems().Item(i);
            if (row->Text() == dayKey && row->SubItems(1) == title) {
                list->SetSelectedItem(row);
                m_watch.settle();
                return m_watch.timeInput(recordList, [&] { m_sideBar.click(QStringLiteral("tsk_del")); });
            }
        }
        std::fprintf(stderr, "the list holds no %s of %s\n", qPrintable(title), qPrintable(dayKey));
        std::abort();
    }

    double showToday() {
        return m_watch.timeInput(todayLists, [&] { m_sideBar.click(QStringLiteral("sh_today")); });
    }

private:
    PaintWatch m_watch;
    SideBar m_sideBar{m_watch};
};

} // namespace paired
