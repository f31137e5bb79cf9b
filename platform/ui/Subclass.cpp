#include "platform/ui/Subclass.h"

#include "platform/Ui.h"

#include <QApplication>
#include <QChildEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace platform {

namespace {

int32_t keyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    int32_t keys = 0;
    if (buttons & Qt::LeftButton)
        keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        keys |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        keys |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        keys |= MK_CONTROL;
    return keys;
}

Qt::MouseButtons buttonsOf(int32_t keys) {
    Qt::MouseButtons b;
    if (keys & MK_LBUTTON)
        b |= Qt::LeftButton;
    if (keys & MK_RBUTTON)
        b |= Qt::RightButton;
    if (keys & MK_MBUTTON)
        b |= Qt::MiddleButton;
    return b;
}

Qt::KeyboardModifiers modifiersOf(int32_t keys) {
    Qt::KeyboardModifiers m;
    if (keys & MK_SHIFT)
        m |= Qt::ShiftModifier;
    if (keys & MK_CONTROL)
        m |= Qt::ControlModifier;
    return m;
}

int16_t lowWord(int32_t v) {
    return static_cast<int16_t>(v & 0xFFFF);
}
int16_t highWord(int32_t v) {
    return static_cast<int16_t>((static_cast<uint32_t>(v) >> 16) & 0xFFFF);
}

} // namespace

WindowSubclass::WindowSubclass(Callback callback, QObject* parent) : QObject(parent), m_callback(std::move(callback)) {}

WindowSubclass::~WindowSubclass() {
    Subclass_Stop();
}

bool WindowSubclass::Subclass_Start(QWidget* window) {
    if (!window)
        return false;
    Subclass_Stop();
    m_window = window;
    window->installEventFilter(this);
    for (QObject* child : window->children())
        watchScrollBar(child);
    return true;
}

void WindowSubclass::Subclass_Stop() {
    m_beforeCount = 0;
    m_afterCount = 0;
    m_before.clear();
    m_after.clear();
    if (!m_window)
        return;
    m_window->removeEventFilter(this);
    for (QObject* child : m_window->children())
        child->removeEventFilter(this);
    m_window = nullptr;
}

void WindowSubclass::watchScrollBar(QObject* child) {
    if (qobject_cast<QScrollBar*>(child)) {
        child->removeEventFilter(this);
        child->installEventFilter(this);
    }
}

void WindowSubclass::add(std::vector<int32_t>& table, int& count, int32_t uMsg) {
    if (uMsg == -1) {
        count = -1;
        return;
    }
    if (count == -1)
        return;
    if (std::find(table.begin(), table.end(), uMsg) != table.end())
        return;
    auto freeSlot = std::find(table.begin(), table.end(), -1);
    if (freeSlot != table.end())
        *freeSlot = uMsg;
    else
        table.push_back(uMsg);
    count = static_cast<int>(table.size());
}

void WindowSubclass::remove(std::vector<int32_t>& table, int& count, int32_t uMsg) {
    if (uMsg == -1) {
        table.clear();
        count = 0;
        return;
    }
    for (int32_t& entry : table)
        if (entry == uMsg)
            entry = -1;
}

bool WindowSubclass::listed(const std::vector<int32_t>& table, int count, int32_t uMsg) {
    if (count == -1)
        return true;
    return count > 0 && std::find(table.begin(), table.end(), uMsg) != table.end();
}

void WindowSubclass::Subclass_AddMsg(int32_t uMsg, int when) {
    if (when & MSG_BEFORE)
        add(m_before, m_beforeCount, uMsg);
    if (when & MSG_AFTER)
        add(m_after, m_afterCount, uMsg);
}

void WindowSubclass::Subclass_DelMsg(int32_t uMsg, int when) {
    if (when & MSG_BEFORE)
        remove(m_before, m_beforeCount, uMsg);
    if (when & MSG_AFTER)
        remove(m_after, m_afterCount, uMsg);
}

int32_t WindowSubclass::Dispatch(int32_t hWnd, int32_t uMsg, int32_t wParam, int32_t lParam,
                                 const Procedure& previous) {
    int32_t lReturn = 0;
    bool bHandled = false;
    if (listed(m_before, m_beforeCount, uMsg))
        m_callback(true, bHandled, lReturn, hWnd, uMsg, wParam, lParam);
    if (!bHandled) {
        lReturn = previous ? previous(uMsg, wParam, lParam) : 0;
        if (listed(m_after, m_afterCount, uMsg))
            m_callback(false, bHandled, lReturn, hWnd, uMsg, wParam, lParam);
    }
    return lReturn;
}

// The window's own handling: the original event when the message was left as
// it was, else the message turned back into an event where it is an input the
// window knows; a message changed into anything else (WM_NULL above all) does
// nothing.
int32_t WindowSubclass::deliver(QEvent* original, int32_t uMsg, int32_t wParam, int32_t lParam, int32_t origMsg,
                                int32_t origW, int32_t origL) {
    QObject* window = m_window.data();
    if (!window)
        return 0;
    if (uMsg == origMsg && wParam == origW && lParam == origL) {
        if (original)
            window->event(original);
        return 0;
    }
    if (uMsg == WM_MOUSEMOVE) {
        const QPointF local(lowWord(lParam), highWord(lParam));
        QMouseEvent move(QEvent::MouseMove, local, m_window->mapToGlobal(local), Qt::NoButton, buttonsOf(wParam),
                         modifiersOf(wParam));
        window->event(&move);
        return 0;
    }
    if (uMsg == WM_MOUSEWHEEL) {
        const QPointF global(lowWord(lParam), highWord(lParam));
        QWheelEvent turn(m_window->mapFromGlobal(global), global, QPoint(), QPoint(0, highWord(wParam)),
                         buttonsOf(lowWord(wParam)), modifiersOf(lowWord(wParam)), Qt::NoScrollPhase, false);
        window->event(&turn);
        if (original)
            original->setAccepted(turn.isAccepted());
        return 0;
    }
    return 0;
}

bool WindowSubclass::wheel(QWidget* target, QEvent* event) {
    auto* e = static_cast<QWheelEvent*>(event);
    const int delta = e->angleDelta().y();
    if (delta == 0)
        return false;
    if ((m_wheelGathered > 0 && delta < 0) || (m_wheelGathered < 0 && delta > 0))
        m_wheelGathered = 0; // a turn the other way starts afresh
    m_wheelGathered += delta;
    const int32_t keys = keyFlags(e->buttons(), e->modifiers());
    const QPoint global = e->globalPosition().toPoint();
    const int32_t lParam = MakeLParam(global.x(), global.y());
    const int32_t hWnd = HandleOf(m_window);
    bool first = target == m_window;
    while (m_wheelGathered >= WHEEL_DELTA || m_wheelGathered <= -WHEEL_DELTA) {
        const int notch = m_wheelGathered > 0 ? WHEEL_DELTA : -WHEEL_DELTA;
        m_wheelGathered -= notch;
        const int32_t wParam = MakeLParam(keys, notch);
        // The original event belongs to the window's handling of the first
        // notch only; a later notch is the window's own wheel message again.
        QEvent* original = first ? event : nullptr;
        first = false;
        Dispatch(hWnd, WM_MOUSEWHEEL, wParam, lParam, [&](int32_t m, int32_t w, int32_t l) {
            return deliver(original, m, w, l, WM_MOUSEWHEEL, original ? wParam : 0, original ? lParam : 0);
        });
    }
    event->accept();
    return true;
}

bool WindowSubclass::windowEvent(QEvent* event) {
    int32_t uMsg = WM_NULL, wParam = 0, lParam = 0;
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint p = e->position().toPoint();
        uMsg = WM_MOUSEMOVE;
        wParam = keyFlags(e->buttons(), e->modifiers());
        lParam = MakeLParam(p.x(), p.y());
        break;
    }
    case QEvent::Leave:
        uMsg = WM_MOUSELEAVE;
        break;
    case QEvent::ToolTip:
        uMsg = WM_MOUSEHOVER;
        break;
    case QEvent::ThemeChange:
        uMsg = WM_THEMECHANGED;
        break;
    case QEvent::ApplicationPaletteChange:
        uMsg = WM_SYSCOLORCHANGE;
        break;
    case QEvent::Wheel:
        return wheel(m_window, event);
    default:
        return false;
    }
    const int32_t origMsg = uMsg, origW = wParam, origL = lParam;
    Dispatch(HandleOf(m_window), uMsg, wParam, lParam,
             [&](int32_t m, int32_t w, int32_t l) { return deliver(event, m, w, l, origMsg, origW, origL); });
    return true;
}

bool WindowSubclass::eventFilter(QObject* watched, QEvent* event) {
    if (!m_window)
        return false;
    if (watched == m_window) {
        if (event->type() == QEvent::ChildPolished)
            watchScrollBar(static_cast<QChildEvent*>(event)->child());
        return windowEvent(event);
    }
    if (watched->parent() != m_window || !qobject_cast<QScrollBar*>(watched))
        return false;
    if (event->type() == QEvent::Paint) {
        // The scroll bar asks its parent for its colours before it draws; the
        // parent's own handling has none to give, so it draws in its own.
        Dispatch(HandleOf(m_window), WM_CTLCOLORSCROLLBAR, 0, HandleOf(watched),
                 [](int32_t, int32_t, int32_t) { return 0; });
        return false;
    }
    if (event->type() == QEvent::Wheel)
        return wheel(static_cast<QWidget*>(watched), event);
    return false;
}

} // namespace platform
