// Cold start to the main window shown: the organiser, started as a new
// process on a data file of each size with no access password, against the
// bare Qt program beside it that shows the same kinds of widgets. Both end as
// soon as their window is first shown and painted.
#include "../BenchData.h"
#include "../Helper.h"
#include "../PairedRun.h"
#include "WindowBench.h"

#include <QCoreApplication>
#include <QProcess>
#include <algorithm>

namespace {

// The organiser's program folder, with a copy of the organiser in it.
paired::ProgramFolder& folder() {
    static paired::ProgramFolder f;
    return f;
}

QString organiser() {
    static const QString program = [] {
        const QString to = folder().path() + QStringLiteral("/veltrane");
        QFile::copy(paired::besideThisProgram("veltrane"), to);
        return to;
    }();
    return program;
}

void useSize(int years) {
    static int current = 0;
    if (current == years)
        return;
    current = years;
    const QByteArray data = paired::generate(years);
    paired::putFile(folder().dataFile(), data);
    std::printf("%d years: data.xml of %lld bytes\n", years, static_cast<long long>(data.size()));
}

void launch(const QString& program) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (env.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty())
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder().path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder().path());
    env.insert(QStringLiteral("VELTRANE_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, {});
    if (!p.waitForFinished(120000) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s did not start and end cleanly\n", qPrintable(program));
        std::abort();
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString bare = paired::besideThisProgram("bare_startup");
    for (paired::Size size : paired::sizes()) {
        const int years = size.years;
        // A start swings by a third from one to the next on a shared machine,
        // while a pair costs a fraction of a second: more pairs make a median
        // that holds from run to run.
        size.pairs = std::max(size.pairs, years >= 100 ? 11 : 41);
        // Beyond 10 years the start is shown, with no target.
        const paired::Goal goal = years <= 10 ? paired::ratioAtMost(1.3) : paired::Goal();
        paired::add(size,
                    {"cold start to the main window shown", "bare Qt program, same widgets", goal, [] {},
                     paired::timed([] { launch(organiser()); }), paired::timed([bare] { launch(bare); })},
                    [years] { useSize(years); });
    }
    return paired::run(argc, argv);
}
