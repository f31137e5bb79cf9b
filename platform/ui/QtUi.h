#pragma once

#include "platform/Ui.h"

#include <QString>

class QWidget;

namespace platform {

// The organiser's own handler: Qt message boxes with the organiser's titles,
// texts and icons, modal windows, and the process end.
class QtUiHandler : public UiHandler {
public:
    MsgAnswer messageBox(const QString& text, MsgStyle style, const QString& title) override;
    void showModal(QObject* window) override;
    [[noreturn]] void endProcess(int exitCode) override;
    void setTopMost(int32_t windowHandle, bool onTop) override;
};

// Installs QtUiHandler; the program's main() calls this once.
void InstallQtUi();

// Runs a window modally: shows it and returns once it is hidden or destroyed.
void RunModal(QWidget* window);

} // namespace platform
