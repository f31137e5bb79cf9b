#include "FakeOpener.h"

#include "EventLoop.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <stdexcept>

namespace testsupport {

namespace {

QString shellQuoted(QString text) {
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("'\\''")) + QLatin1Char('\'');
}

bool openersRunning() {
    for (const QProcess* process : QCoreApplication::instance()->findChildren<QProcess*>(Qt::FindDirectChildrenOnly))
        if (process->state() != QProcess::NotRunning)
            return true;
    return false;
}

} // namespace

FakeOpener::FakeOpener() : m_path(qgetenv("PATH")) {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a folder for the opener");
    writeScript(0, QString());
    qputenv("PATH", QFile::encodeName(m_dir.path()) + ':' + m_path);
}

FakeOpener::~FakeOpener() {
    RunEventsUntil([] { return !openersRunning(); });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    qputenv("PATH", m_path);
}

void FakeOpener::writeScript(int status, const QString& suffix) {
    const QString script = QStringLiteral("#!/bin/sh\n"
                                          "printf '%s\\n' \"$1\" >> %1\n"
                                          "case \"$1\" in *%2) exit %3;; esac\n"
                                          "exit 0\n")
                               .arg(shellQuoted(m_dir.filePath(QStringLiteral("opened"))), shellQuoted(suffix))
                               .arg(status);
    QFile file(m_dir.filePath(QStringLiteral("xdg-open")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(script.toUtf8()) < 0)
        throw std::runtime_error("cannot write the opener");
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void FakeOpener::fail(int status, const QString& suffix) {
    writeScript(status, suffix);
}

void FakeOpener::remove() {
    QFile::remove(m_dir.filePath(QStringLiteral("xdg-open")));
    qputenv("PATH", QFile::encodeName(m_dir.path()));
}

QStringList FakeOpener::urls() const {
    RunEventsUntil([] { return !openersRunning(); });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QFile log(m_dir.filePath(QStringLiteral("opened")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void FakeOpener::clear() {
    urls();
    QFile::remove(m_dir.filePath(QStringLiteral("opened")));
}

} // namespace testsupport
