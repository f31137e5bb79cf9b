#pragma once

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>

class QObject;

namespace platform {

// The seam between the organiser's code and its windows. Everything that needs
// a person's answer, a modal window or the end of the process goes through one
// installed handler, so data code stays free of widgets and tests can answer
// the boxes themselves.

enum class MsgStyle { Information, Critical, Exclamation, YesNoQuestion, OkOnly };
enum class MsgAnswer { Ok = 1, Yes = 6, No = 7 };

// Thrown by a test handler's endProcess, so an operation that ends the process
// never runs on in a test.
struct ProcessEnded {
    int exitCode = 0;
};

class UiHandler {
public:
    virtual ~UiHandler() = default;
    virtual MsgAnswer messageBox(const QString& text, MsgStyle style, const QString& title) = 0;
    // Shows a window modally and returns when it is hidden or unloaded.
    virtual void showModal(QObject* window) = 0;
    // Ends the process at once. Must not return.
    [[noreturn]] virtual void endProcess(int exitCode) = 0;
    // Puts a window above all others (or back among them).
    virtual void setTopMost(int32_t windowHandle, bool onTop) = 0;
};

// The handler in use. Until the windows install theirs, boxes are written to
// standard error, questions are answered No and the process end calls exit().
UiHandler& Ui();
// Installs a handler and returns the one it replaces.
std::shared_ptr<UiHandler> InstallUiHandler(std::shared_ptr<UiHandler> handler);

inline MsgAnswer MsgBox(const QString& text, MsgStyle style, const QString& title) {
    return Ui().messageBox(text, style, title);
}
[[noreturn]] inline void EndProcess(int exitCode = 0) {
    Ui().endProcess(exitCode);
    std::abort(); // a handler that returned would let the interrupted operation run on
}

// Writes why the program cannot go on to standard error, before its box is
// shown: whoever started it from a terminal, a script or a session learns why
// it ended once the box is gone. Such an end's status is EXIT_FAILURE.
void ReportFailure(const QString& text, const QString& title);

// Small numeric handles for windows, standing in for the window handles the
// organiser passes around as numbers. Handle 0 is never given out.
int32_t HandleOf(QObject* object);
QObject* ObjectFromHandle(int32_t handle);

} // namespace platform
