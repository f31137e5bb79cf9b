#include "MessageBoxResponder.h"

namespace testsupport {

platform::MsgAnswer MessageBoxResponder::messageBox(const QString& text, platform::MsgStyle style,
                                                    const QString& title) {
    boxes.push_back({text, style, title});
    if (onBox)
        onBox(boxes.back());
    if (style != platform::MsgStyle::YesNoQuestion)
        return platform::MsgAnswer::Ok;
    if (answers.empty())
        return platform::MsgAnswer::No;
    platform::MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
}

void MessageBoxResponder::showModal(QObject* window) {
    modalWindows.push_back(window);
    if (onModal)
        onModal(window);
}

void MessageBoxResponder::endProcess(int exitCode) {
    ++processEnds;
    throw platform::ProcessEnded{exitCode};
}

void MessageBoxResponder::setTopMost(int32_t windowHandle, bool onTop) {
    topMostCalls.emplace_back(windowHandle, onTop);
}

bool MessageBoxResponder::sawTitle(const QString& title) const {
    for (const auto& b : boxes)
        if (b.title == title)
            return true;
    return false;
}

ScopedResponder::ScopedResponder() : m_responder(std::make_shared<MessageBoxResponder>()) {
    m_previous = platform::InstallUiHandler(m_responder);
}

ScopedResponder::~ScopedResponder() {
    platform::InstallUiHandler(m_previous);
}

} // namespace testsupport
