// The list loaders and the task editor in the organiser's own window, each
// timed until what it changed is painted and the window is still: every task
// listed again where the list is shown, and a task added through the editor
// (its checks, the save and the reload of the list shown) with the Today view
// and with every task shown. Their floors, in the plain program beside this
// one: a bare pugixml load (and durable save, for the add) and the same rows
// shown in Qt's own lists and painted.
#include "../BenchData.h"
#include "../Helper.h"
#include "../PairedRun.h"
#include "WindowBench.h"
#include "platform/ui/DateTimePickers.h"
#include "platform/ui/TextBox.h"
#include "windows/ListLoaders.h"
#include "windows/frmTasks.h"

#include <memory>

namespace {

struct Bench {
    paired::ProgramFolder folder;
    paired::SizedData data;
    std::unique_ptr<paired::Organiser> organiser;
    std::unique_ptr<paired::Helper> floors;
};

Bench& bench() {
    static Bench b;
    return b;
}

void useSize(int years) {
    bench().data.use(years, bench().folder);
}

QStringList floorRequest(const char* change, const char* view, const QString& day, const QString& title) {
    return {QStringLiteral("show"), QLatin1String(change), QLatin1String(view), bench().folder.dataFile(), day, title};
}

// Every task listed again where the list is shown.
double listAgain() {
    paired::Organiser& o = *bench().organiser;
    if (mFunctions::CurrentView() != mFunctions::ViewTasks)
        o.showAllTasks();
    return o.watch().timeInput(paired::recordList, [] { mFunctions::LoadScheduleList(0, QString()); });
}

// "Add New Task" clicked in the side bar, the title and day filled in, and
// Save clicked; the view shown first as the file is now, untimed.
double addTask(const QDate& day, const QString& title, bool allTasks) {
    paired::Organiser& o = *bench().organiser;
    if (allTasks)
        o.showAllTasks();
    else
        o.clickDay(day);
    o.sideBar().click(QStringLiteral("tsk_add"));
    frmTasks& editor = platform::Forms::Get<frmTasks>();
    editor.txtTitle->SetText(title);
    editor.ucDTPicker->SetValue(day);
    o.watch().settle();
    return o.watch().timeInput(allTasks ? paired::recordList : paired::todayLists, [&] { editor.btnSave_Click(); });
}

void registerSize(const paired::Size& size) {
    const int years = size.years;
    const auto before = [years] { useSize(years); };
    const auto fresh = [] { paired::putFile(bench().folder.dataFile(), bench().data.original); };
    const QDate day = paired::Calendar::twoDays(years).first;
    const QString key = paired::dayKey(day);
    const QString title = QStringLiteral("Added task");

    paired::add(size,
                {"every task listed again (to painted)", "bare load + every task painted", paired::ratioAtMost(1.5),
                 [] {}, listAgain, [] { return bench().floors->time(floorRequest("again", "all", {}, {})); }},
                before);
    paired::add(size,
                {"task added, Today view (to painted)", "bare load + durable save + the day's lists",
                 paired::ratioAtMost(1.5), fresh, [=] { return addTask(day, title, false); },
                 [=] { return bench().floors->time(floorRequest("add", "day", key, title)); }},
                before);
    paired::add(size,
                {"task added, every task shown (to painted)", "bare load + durable save + every task",
                 paired::ratioAtMost(1.5), fresh, [=] { return addTask(day, title, true); },
                 [=] { return bench().floors->time(floorRequest("add", "all", key, title)); }},
                before);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Bench& b = bench();
    qputenv("XDG_RUNTIME_DIR", b.folder.path().toUtf8());
    useSize(paired::sizes().front().years);
    b.organiser = std::make_unique<paired::Organiser>(b.folder.path());
    b.floors = std::make_unique<paired::Helper>(paired::besideThisProgram("plain_floors"), QStringList());
    for (const paired::Size& size : paired::sizes())
        registerSize(size);
    const int result = paired::run(argc, argv);
    b.floors.reset();
    b.organiser.reset();
    return result;
}
