#pragma once

// A process that times work on request, so a measure can set side by side
// code that must not share one process: the plain floors, which link nothing
// of the organiser, or two builds of the data library. A request is one line
// of words separated by tabs; the answer is one line, the seconds the work
// took as the helper timed it.
#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>

namespace paired {

// The measuring side: starts the helper and keeps it until destroyed.
class Helper {
public:
    Helper(const QString& program, const QStringList& arguments) {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(program, arguments);
        if (!m_process.waitForStarted()) {
            std::fprintf(stderr, "%s did not start\n", qPrintable(program));
            std::abort();
        }
    }
    ~Helper() {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(60000))
            m_process.kill();
    }

    // The seconds the helper took for the request.
    double time(const QStringList& request) {
        m_process.write(request.join(QLatin1Char('\t')).toUtf8() + '\n');
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(600000)) {
                std::fprintf(stderr, "the helper gave no answer to: %s\n", qPrintable(request.join(QLatin1Char(' '))));
                std::abort();
            }
        bool ok = false;
        const double seconds = m_process.readLine().trimmed().toDouble(&ok);
        if (!ok) {
            std::fprintf(stderr, "the helper could not do: %s\n", qPrintable(request.join(QLatin1Char(' '))));
            std::abort();
        }
        return seconds;
    }

private:
    QProcess m_process;
};

// The program beside this one, as the build puts every benchmark.
inline QString besideThisProgram(const char* name) {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

// The helper's side: answers each request read from the standard input until
// it closes; `answer` gives a negative time for a request it cannot do.
// Anything else the helper prints goes to the standard error.
inline int serve(const std::function<double(const QStringList&)>& answer) {
    std::string line;
    while (std::getline(std::cin, line)) {
        const double seconds = answer(QString::fromStdString(line).split(QLatin1Char('\t')));
        if (seconds < 0)
            std::printf("failed\n");
        else
            std::printf("%.9f\n", seconds);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace paired
