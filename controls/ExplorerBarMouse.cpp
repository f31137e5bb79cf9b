// The explorer bar's answers to the pointer: hover and pressed looks, the
// hand pointer, opening and closing groups, the polling that notices the
// pointer leaving, and the scroll bar.
#include "controls/ABar.h"

#include "platform/ui/InputCodes.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>

using namespace platform;

bool ExplorerBar::Hit(const RECT& r, double X, double Y) {
    return r.Left < X && X < r.Right && r.Top <= Y && Y <= r.Bottom;
}

void ExplorerBar::SetMousePointer(QWidget* target, int pointer) {
    if (!target)
        return;
    if (target == this)
        m_MousePointer = pointer == 99 ? 99 : 0;
    switch (pointer) {
    case 99:
        target->setCursor(HandCursor());
        break;
    case 1:
        target->setCursor(Qt::ArrowCursor);
        break;
    case 2:
        target->setCursor(Qt::CrossCursor);
        break;
    case 3:
        target->setCursor(Qt::IBeamCursor);
        break;
    case 11:
        target->setCursor(Qt::WaitCursor);
        break;
    default:
        target->unsetCursor();
        break;
    }
}

void ExplorerBar::SetHandCur(bool Hand) {
    SetMousePointer(this, Hand ? 99 : 0);
}

void ExplorerBar::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    MouseDown(ButtonMask(event->button()), ShiftMask(event->modifiers()), p.x(), p.y());
}

void ExplorerBar::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    MouseMove(ButtonMask(event->buttons()), ShiftMask(event->modifiers()), p.x(), p.y());
}

void ExplorerBar::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    MouseUp(ButtonMask(event->button()), ShiftMask(event->modifiers()), p.x(), p.y());
}

void ExplorerBar::resizeEvent(QResizeEvent* event) {
    BackedWidget::resizeEvent(event);
    PaintAll();
}

// The host's font or colours changed; they reach the bar as its own.
void ExplorerBar::changeEvent(QEvent* event) {
    BackedWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        PaintAll();
}

void ExplorerBar::showEvent(QShowEvent* event) {
    BackedWidget::showEvent(event);
    m_UpdatesEnabled = true;
    const QScopedValueRollback<bool> showing(m_InShowEvent, true);
    PaintAll();
}

bool ExplorerBar::eventFilter(QObject* watched, QEvent* event) {
    for (auto it = m_Containers.cbegin(); it != m_Containers.cend(); ++it) {
        if (it->Child != watched)
            continue;
        if (event->type() == QEvent::MouseMove) {
            // Over a hosted control the pointer is over no element of the bar.
            MouseMove(0, ShiftMask(static_cast<QMouseEvent*>(event)->modifiers()), 3, 3);
        } else if (event->type() == QEvent::Paint && !it->Background.isNull()) {
            // Rectangle by rectangle, as a backed widget copies its surface.
            QPainter p(it->Child);
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) {
                p.setClipRect(r);
                p.drawImage(r.topLeft(), it->Background, r);
            }
        }
        break;
    }
    return BackedWidget::eventFilter(watched, event);
}

void ExplorerBar::MouseDown(int Button, int, double X, double Y) {
    if (Button != 1)
        return;
    if (m_ShowSpecial) {
        if (Hit(m_SpecialGroup.HeaderRect, X, Y)) {
            m_SpecialGroup.State = 3;
            DrawSpecialGroupHeader();
        }
        if (m_SpecialGroup.Expanded)
            for (int i = 1; i <= m_SpecialGroup.ItemCount; ++i)
                if (Hit(m_SpecialGroup.Items[i].ItemRect, X, Y))
                    DrawItem(-1, i, 3);
    }
    for (int n = 1; n <= m_GroupCount; ++n) {
        ExplorerGroup& g = m_Groups[n];
        if (Hit(g.HeaderRect, X, Y)) {
            g.State = 3;
            DrawGroupHeader(n);
        }
        if (g.Expanded && !g.Child)
            for (int i = 1; i <= g.ItemCount; ++i)
                if (Hit(g.Items[i].ItemRect, X, Y))
                    DrawItem(n, i, 3);
    }
    if (m_ShowDetails && Hit(m_DetailsGroup.HeaderRect, X, Y)) {
        m_DetailsGroup.State = 3;
        DrawDetailsGroupHeader();
    }
}

void ExplorerBar::MouseMove(int Button, int Shift, double X, double Y) {
    // Switching the polling on while it runs leaves it running: starting it
    // afresh at every move would hold the ticks off for as long as the
    // pointer keeps moving.
    if (Button == 0 && isEnabled() && !m_timUpdate.isActive()) {
        m_timUpdate.start();
        MouseMove(0, Shift, 1, 1);
    }
    HoverPass(X, Y);
}

void ExplorerBar::HoverPass(double X, double Y) {
    DoEvents();

    // A header: entering makes it hot, leaving makes it normal again. Handlers
    // may change the bar, so every step looks the group up afresh.
    auto header = [&](int index, const QString& key, auto draw) {
        ExplorerGroup* g = GroupAt(index);
        if (!g)
            return;
        const bool inside = Hit(g->HeaderRect, X, Y);
        if (inside && !g->Hover) {
            g->Hover = true;
            g->State = 2;
            draw();
            SetHandCur(true);
            emit GroupHover(key);
        } else if (!inside && g->Hover) {
            g->Hover = false;
            g->State = 1;
            draw();
            SetHandCur(false);
            emit GroupOut(key);
        }
    };
    auto items = [&](int index, const QString& key) {
        for (int i = 1;; ++i) {
            ExplorerGroup* g = GroupAt(index);
            if (!g || !g->Expanded || (index > 0 && g->Child) || i > g->ItemCount)
                return;
            ExplorerItem& item = g->Items[i];
            const bool inside = Hit(item.ItemRect, X, Y);
            const QString itemKey = item.Key; // a handler may remove the item
            if (inside && !item.Hover) {
                item.Hover = true;
                DrawItem(index, i, 2);
                SetHandCur(true);
                emit ItemHover(key, itemKey);
            } else if (!inside && item.Hover) {
                item.Hover = false;
                DrawItem(index, i, 1);
                SetHandCur(false);
                emit ItemOut(key, itemKey);
            }
        }
    };

    if (m_ShowSpecial) {
        header(-1, kSpecialGroupKey, [this] { DrawSpecialGroupHeader(); });
        items(-1, kSpecialGroupKey);
    }
    for (int n = 1; n <= m_GroupCount; ++n) {
        const QString key = m_Groups[n].Key;
        header(n, key, [this, n] { DrawGroupHeader(n); });
        items(n, key);
    }
    if (m_ShowDetails)
        header(-2, kDetailsGroupKey, [this] { DrawDetailsGroupHeader(); });
}

void ExplorerBar::MouseUp(int Button, int Shift, double X, double Y) {
    if (Button == 1) {
        auto click = [this](int index, bool immediate) { ClickGroup(index, immediate); };
        auto itemClicks = [&](int index, const QString& key) {
            for (int i = 1;; ++i) {
                ExplorerGroup* g = GroupAt(index);
                if (!g || !g->Expanded || (index > 0 && g->Child) || i > g->ItemCount)
                    return;
                if (Hit(g->Items[i].ItemRect, X, Y)) {
                    const QString itemKey = g->Items[i].Key;
                    DrawItem(index, i, 2);
                    emit ItemClick(key, itemKey);
                }
            }
        };

        if (m_ShowSpecial) {
            if (Hit(m_SpecialGroup.HeaderRect, X, Y))
                click(-1, false);
            itemClicks(-1, kSpecialGroupKey);
        }
        for (int n = 1; n <= m_GroupCount; ++n) {
            if (Hit(m_Groups[n].HeaderRect, X, Y))
                click(n, true);
            if (n <= m_GroupCount)
                itemClicks(n, m_Groups[n].Key);
        }
        if (m_ShowDetails && Hit(m_DetailsGroup.HeaderRect, X, Y))
            click(-2, true);
    }
    MouseMove(Button, Shift, X, Y);
}

void ExplorerBar::ClickGroup(int index, bool immediate) {
    // The handler gets the group's new state and may change it; its change
    // is kept, unless the handler removed the group.
    ExplorerGroup* g = GroupAt(index);
    g->Expanded = !g->Expanded;
    g->State = 2;
    PaintAll();
    if (immediate)
        repaint();
    bool expanded = g->Expanded;
    const bool told = expanded;
    emit GroupClick(index, expanded);
    if (expanded != told)
        if (ExplorerGroup* still = GroupAt(index))
            still->Expanded = expanded;
}

void ExplorerBar::timUpdate_Timer() {
    if (IsMouseOverWindow(this)) {
        if (!m_MouseInside) {
            PaintAll();
            emit MouseOver();
        }
        m_MouseInside = true;
    } else {
        if (m_MouseInside) {
            m_timUpdate.stop();
            emit MouseOut();
        }
        m_MouseInside = false;
        // Clears every hover without a move's switching the polling on again:
        // it stops once the pointer has been inside and left.
        HoverPass(1, 1);
    }
}

void ExplorerBar::ScrollBarChange(int value) {
    m_ScrollOffset = value;
    PaintAll();
}
