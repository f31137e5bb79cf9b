#pragma once

#include "platform/ui/Menus.h"

#include <functional>

namespace testsupport {

// While it lives, a menu that pops up goes to the handler the test gave,
// which records it and chooses an entry itself; without one it pops up as
// usual.
class PopupMenuAnswers : public platform::PopupMenus {
public:
    using Handler = std::function<void(QMenu* menu, const QPoint& screenPos)>;

    PopupMenuAnswers() : m_previous(install(this)) {}
    explicit PopupMenuAnswers(Handler handler) : PopupMenuAnswers() { m_handler = std::move(handler); }
    ~PopupMenuAnswers() override { install(m_previous); }
    PopupMenuAnswers(const PopupMenuAnswers&) = delete;
    PopupMenuAnswers& operator=(const PopupMenuAnswers&) = delete;

    void answerWith(Handler handler) { m_handler = std::move(handler); }

    void popup(QMenu* menu, const QPoint& screenPos) override {
        if (m_handler)
            m_handler(menu, screenPos);
        else
            PopupMenus::popup(menu, screenPos);
    }

private:
    Handler m_handler;
    platform::PopupMenus* m_previous;
};

} // namespace testsupport
