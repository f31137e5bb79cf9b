// How long a person waits: from an input to the organiser's main window until
// the widgets it changed are painted and the event loop is still. The window
// is driven as a person drives it: a day clicked in the side bar's calendar
// with the Today view shown, Show All Tasks clicked in the side bar, and a
// task removed through the side bar with every task listed. Each is set
// against its floor, the same file loaded by bare pugixml (and saved, for the
// removal) and the same rows shown in Qt's own lists and painted, in the
// plain program beside this one. The first action after a start is timed in
// a new process for each pair, which also tells the peak of memory the
// organiser reached once used. That peak is the new process's, this
// benchmark started again with the organiser's windows in it, on the
// platform the benchmark runs on (the offscreen one unless QT_QPA_PLATFORM
// says otherwise), which the table names; on a display it is a few MB more.
#include "../BenchData.h"
#include "../Helper.h"
#include "../PairedRun.h"
#include "WindowBench.h"

#include <QProcess>

namespace {

// What a person sees soon enough: at 10 years of use, absolutely; beyond, in
// proportion to the least the same work can cost.
constexpr double kLatencyMs = 50;
constexpr double kLatencyOverFloor = 1.5;

paired::Goal latencyGoal(const paired::Size& size) {
    return size.years <= 10 ? paired::valueAtMost(kLatencyMs) : paired::ratioAtMost(kLatencyOverFloor);
}

// The task the removal takes away, on the first of the two days clicked.
const QString kTaskTitle = QStringLiteral("Task 2");

QStringList floorRequest(const char* change, const char* view, const QString& path, const QString& day,
                         const QString& title) {
    return {QStringLiteral("show"), QLatin1String(change), QLatin1String(view), path, day, title};
}

// The peak resident size of this process so far, in bytes.
double peakResident() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() * 1024;
    return 0;
}

// A process of its own for the first action after a start: the organiser
// started on the folder, the day clicked, then used on (every task shown, one
// removed, the Today view again). Prints the seconds the click took and the
// peak resident size in bytes.
int firstAction(const QString& folder, const QDate& day) {
    paired::Organiser organiser(folder);
    const double seconds = organiser.clickDay(day);
    organiser.showAllTasks();
    organiser.removeTask(paired::dayKey(day), kTaskTitle);
    organiser.showToday();
    std::printf("%.9f %.0f\n", seconds, peakResident());
    return 0;
}

// ---- The measures ----

struct Bench {
    paired::ProgramFolder folder;      // the organiser's in this process
    paired::ProgramFolder firstFolder; // the started processes'
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

// Runs the first action in a new process of the organiser; records its peak.
double startedAndClicked(const paired::Size& size, const QDate& day) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--first"), bench().firstFolder.path(), day.toString(Qt::ISODate)});
    const QList<QByteArray> answer = p.waitForFinished(600000) && p.exitCode() == 0
                                         ? p.readAllStandardOutput().trimmed().split(' ')
                                         : QList<QByteArray>();
    if (answer.size() != 2) {
        std::fprintf(stderr, "the started organiser did not answer\n");
        std::abort();
    }
    const double mb = 1024.0 * 1024.0;
    const double fileMb = static_cast<double>(bench().data.original.size()) / mb;
    const std::string what = "peak resident after use (" + QGuiApplication::platformName().toStdString() + ")";
    paired::record(size, what, "4x the file + 40 MB", "MB", answer[1].toDouble() / mb, 4 * fileMb + 40,
                   paired::valueAtMost(4 * fileMb + 40));
    return answer[0].toDouble();
}

double floorFirstAction(const QDate& day) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(paired::besideThisProgram("plain_floors"),
            QStringList{QStringLiteral("--first")} +
                floorRequest("none", "day", bench().firstFolder.dataFile(), paired::dayKey(day), QString()));
    bool ok = p.waitForFinished(600000) && p.exitCode() == 0;
    const double seconds = p.readAllStandardOutput().trimmed().toDouble(&ok);
    if (!ok) {
        std::fprintf(stderr, "the plain program did not answer\n");
        std::abort();
    }
    return seconds;
}

void registerSize(const paired::Size& size) {
    const int years = size.years;
    const auto before = [years] { useSize(years); };
    const QString path = bench().folder.dataFile();
    const auto [one, other] = paired::Calendar::twoDays(years);
    const auto nothing = [] {};
    const auto fresh = [] { paired::putFile(bench().folder.dataFile(), bench().data.original); };

    // Each side clicks the two days in turn, so every click changes the lists.
    auto flip = std::make_shared<bool>(false);
    auto floorFlip = std::make_shared<bool>(false);
    paired::add(size,
                {"day click, Today view (to painted)", "bare load + the day's lists painted", latencyGoal(size),
                 nothing, [=] { return bench().organiser->clickDay((*flip = !*flip) ? one : other); },
                 [=] {
                     const QDate day = (*floorFlip = !*floorFlip) ? one : other;
                     return bench().floors->time(floorRequest("none", "day", path, paired::dayKey(day), QString()));
                 }},
                before);

    paired::add(size,
                {"Show All Tasks (to painted)", "bare load + every task painted", latencyGoal(size), nothing,
                 [] { return bench().organiser->showAllTasks(); },
                 [=] { return bench().floors->time(floorRequest("none", "all", path, QString(), QString())); }},
                before);

    const QString removed = paired::dayKey(one);
    paired::add(size,
                {"remove a task, every task shown (to painted)", "bare load + durable save + every task painted",
                 latencyGoal(size), fresh, [=] { return bench().organiser->removeTask(removed, kTaskTitle); },
                 [=] { return bench().floors->time(floorRequest("delete", "all", path, removed, kTaskTitle)); }},
                before);

    const auto freshFirst = [] { paired::putFile(bench().firstFolder.dataFile(), bench().data.original); };
    paired::add(size,
                {"first day click after a start (to painted)", "the same, first in the plain program",
                 latencyGoal(size), freshFirst, [=] { return startedAndClicked(size, one); },
                 [=] { return floorFirstAction(one); }},
                before);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) == QLatin1String("--first"))
        return firstAction(args.value(2), QDate::fromString(args.value(3), Qt::ISODate));

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
