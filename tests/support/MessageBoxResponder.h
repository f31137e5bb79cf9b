#pragma once

#include "platform/Ui.h"

#include <QObject>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace testsupport {

struct RecordedBox {
    QString text;
    platform::MsgStyle style;
    QString title;
};

// Answers the organiser's message boxes in tests: records every box, answers
// questions from a queue (No when the queue is empty) and turns the process
// end into a ProcessEnded exception, so an operation that ends the program
// never runs on.
class MessageBoxResponder : public platform::UiHandler {
public:
    std::vector<RecordedBox> boxes;
    std::deque<platform::MsgAnswer> answers;
    std::vector<QObject*> modalWindows;
    std::vector<std::pair<int32_t, bool>> topMostCalls;
    int processEnds = 0;
    // Runs while a window is "shown modally"; the test acts on it here.
    std::function<void(QObject*)> onModal;
    // Runs when a box is shown, before it is answered.
    std::function<void(const RecordedBox&)> onBox;

    platform::MsgAnswer messageBox(const QString& text, platform::MsgStyle style, const QString& title) override;
    void showModal(QObject* window) override;
    [[noreturn]] void endProcess(int exitCode) override;
    void setTopMost(int32_t windowHandle, bool onTop) override;

    const RecordedBox& last() const { return boxes.back(); }
    bool sawTitle(const QString& title) const;
    void clear() { boxes.clear(); }
};

// Installs a responder for the lifetime of the object and puts the previous
// handler back afterwards.
class ScopedResponder {
public:
    ScopedResponder();
    ~ScopedResponder();
    MessageBoxResponder& operator*() { return *m_responder; }
    MessageBoxResponder* operator->() { return m_responder.get(); }

private:
    std::shared_ptr<MessageBoxResponder> m_responder;
    std::shared_ptr<platform::UiHandler> m_previous;
};

} // namespace testsupport
