#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace platform {

void ClipboardClear() {
    if (QClipboard* cb = QGuiApplication::clipboard())
        cb->clear();
}

void ClipboardSetText(const QString& text) {
    QClipboard* cb = QGuiApplication::clipboard();
    if (!cb)
        return;
    // Plain text only, so no other format of an earlier copy survives beside it.
    auto* data = new QMimeData;
    data->setText(text);
    cb->setMimeData(data);
}

QString ClipboardGetText() {
    QClipboard* cb = QGuiApplication::clipboard();
    return cb ? cb->text() : QString();
}

} // namespace platform
