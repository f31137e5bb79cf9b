#include "platform/Ui.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

class ConsoleUiHandler : public UiHandler {
public:
    MsgAnswer messageBox(const QString& text, MsgStyle style, const QString& title) override {
        std::fprintf(stderr, "%s\n%s\n", title.toUtf8().constData(), text.toUtf8().constData());
        return style == MsgStyle::YesNoQuestion ? MsgAnswer::No : MsgAnswer::Ok;
    }
    void showModal(QObject*) override {}
    [[noreturn]] void endProcess(int exitCode) override { std::exit(exitCode); }
    void setTopMost(int32_t, bool) override {}
};

std::shared_ptr<UiHandler>& current() {
    static std::shared_ptr<UiHandler> handler = std::make_shared<ConsoleUiHandler>();
    return handler;
}

struct HandleTable {
    QHash<int32_t, QPointer<QObject>> byHandle;
    QHash<QObject*, int32_t> byObject;
    int32_t next = 0x10000;
};

HandleTable& handles() {
    static HandleTable table;
    return table;
}

} // namespace

UiHandler& Ui() {
    return *current();
}

std::shared_ptr<UiHandler> InstallUiHandler(std::shared_ptr<UiHandler> handler) {
    auto old = current();
    current() = handler ? std::move(handler) : std::make_shared<ConsoleUiHandler>();
    return old;
}

void ReportFailure(const QString& text, const QString& title) {
    QString message = QStringLiteral("veltrane: ") + title + QLatin1Char('\n') + text;
    message.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    std::fflush(stderr);
}

int32_t HandleOf(QObject* object) {
    if (!object)
        return 0;
    HandleTable& t = handles();
    auto it = t.byObject.find(object);
    if (it != t.byObject.end() && t.byHandle.value(it.value()) == object)
        return it.value();
    int32_t h = t.next;
    t.next += 4;
    t.byHandle.insert(h, object);
    t.byObject.insert(object, h);
    QObject::connect(object, &QObject::destroyed, [object, h]() {
        HandleTable& table = handles();
        table.byHandle.remove(h);
        table.byObject.remove(object);
    });
    return h;
}

QObject* ObjectFromHandle(int32_t handle) {
    return handles().byHandle.value(handle).data();
}

} // namespace platform
