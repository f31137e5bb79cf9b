// Cold start to the main window shown: the organiser, started as a new
// process on a data file of each size with no access password, against the
// bare Qt program beside it. Both end as soon as their window is first shown
// and painted.
#include "../PairedBench.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>

namespace {

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

// A program folder of its own: a copy of the organiser and the files the
// build put beside it, so the build's own data file is never touched.
QString organiser() {
    static const QString program = [] {
        const QDir built(QCoreApplication::applicationDirPath());
        QDir(folder().path()).mkpath(QStringLiteral("program"));
        const QString to = folder().filePath(QStringLiteral("program"));
        for (const QString& name : built.entryList({QStringLiteral("*.png")}, QDir::Files))
            QFile::copy(built.filePath(name), to + QLatin1Char('/') + name);
        QFile::copy(built.filePath(QStringLiteral("veltrane")), to + QStringLiteral("/veltrane"));
        QFile config(to + QStringLiteral("/AppCfg.cfg"));
        config.open(QIODevice::WriteOnly);
        config.write("[password]\nenabled=0\npassword=\n\n[app]\nstartup=0\n");
        return to + QStringLiteral("/veltrane");
    }();
    return program;
}

void useSize(int years) {
    static int current = 0;
    if (current == years)
        return;
    current = years;
    const QByteArray data = paired::generate(years);
    paired::putFile(QFileInfo(organiser()).absolutePath() + QStringLiteral("/data.xml"), data);
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
    const QString bare = QCoreApplication::applicationDirPath() + QStringLiteral("/bare_startup");
    for (paired::Size size : paired::sizes()) {
        const int years = size.years;
        // A start swings by a third from one to the next on a shared machine,
        // while a pair costs a fraction of a second: more pairs make a median
        // that holds from run to run.
        size.pairs = std::max(size.pairs, years >= 100 ? 11 : 41);
        paired::add(size,
                    {"cold start to the main window shown", "bare Qt program, same widgets", 1.3, [] {},
                     [] { launch(organiser()); }, [bare] { launch(bare); }},
                    [years] { useSize(years); });
    }
    return paired::run(argc, argv);
}
