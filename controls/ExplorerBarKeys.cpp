// The explorer bar's answers to the keyboard: the spot the focus rectangle
// stands on, moving it, and acting on it as a click would.
#include "controls/ABar.h"

#include "platform/ui/InputCodes.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

using namespace platform;

namespace {
// The room kept around a spot when it is scrolled into view.
constexpr int kScrollMargin = 4;
} // namespace

const ExplorerGroup* ExplorerBar::GroupAt(int index) const {
    return const_cast<ExplorerBar*>(this)->GroupAt(index);
}

std::vector<ExplorerBar::Spot> ExplorerBar::Spots() const {
    std::vector<Spot> spots;
    auto add = [&](int index) {
        const ExplorerGroup& g = *GroupAt(index);
        spots.push_back({index, 0});
        if (g.Expanded && (index < 0 || !g.Child) && index != -2)
            for (int i = 1; i <= g.ItemCount; ++i)
                spots.push_back({index, i});
    };
    if (m_ShowSpecial)
        add(-1);
    for (int n = 1; n <= m_GroupCount; ++n)
        add(n);
    if (m_ShowDetails)
        add(-2);
    return spots;
}

bool ExplorerBar::Shown(const Spot& spot) const {
    const std::vector<Spot> spots = Spots();
    return std::find(spots.begin(), spots.end(), spot) != spots.end();
}

RECT ExplorerBar::SpotRect(const Spot& spot) const {
    const ExplorerGroup* g = GroupAt(spot.Group);
    if (!g)
        return RECT();
    if (spot.Item == 0)
        return g->HeaderRect;
    if (spot.Item < 1 || spot.Item > g->ItemCount)
        return RECT();
    return g->Items[spot.Item].ItemRect;
}

void ExplorerBar::PressSpot(const Spot& spot) {
    if (!Shown(spot))
        return;
    if (spot.Item == 0) {
        ClickGroup(spot.Group, spot.Group != -1);
        return;
    }
    const ExplorerGroup* g = GroupAt(spot.Group);
    emit ItemClick(spot.Group == -1 ? kSpecialGroupKey : g->Key, g->Items[spot.Item].Key);
}

void ExplorerBar::MoveFocusTo(const Spot& spot) {
    m_Focus = spot;
    // Scrolled so the spot is whole on the bar, where the bar can scroll.
    const RECT r = SpotRect(spot);
    if (!m_ScrollBar->isHidden()) {
        if (r.Top < kScrollMargin)
            m_ScrollBar->setValue(m_ScrollOffset + r.Top - kScrollMargin);
        else if (r.Bottom > height() - kScrollMargin)
            m_ScrollBar->setValue(m_ScrollOffset + r.Bottom - height() + kScrollMargin);
    }
    PaintAll();
    if (QAccessible::isActive() && hasFocus()) {
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(this);
        if (QAccessibleInterface* at = bar ? bar->focusChild() : nullptr) {
            QAccessibleEvent moved(at, QAccessible::Focus);
            QAccessible::updateAccessibility(&moved);
        }
    }
}

void ExplorerBar::DrawFocusRect() {
    if (!hasFocus() || !Shown(m_Focus))
        return;
    const RECT r = SpotRect(m_Focus);
    // Around an item, in the gap the layout leaves; inside a header, which
    // is drawn edge to edge.
    const QRect around = m_Focus.Item == 0 ? r.toQRect().adjusted(3, 3, -4, -4) : r.toQRect().adjusted(-2, -2, 1, 1);
    // In the colour of the text it surrounds: the special group's header is
    // dark with light text.
    const int colour = m_Focus.Item != 0 ? COLOR_HIGHLIGHT : m_Focus.Group == -1 ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT;
    QPainter p(&Surface());
    QPen dotted(ToQColor(GetSysColor(colour)), 1, Qt::DotLine);
    p.setPen(dotted);
    p.drawRect(around);
    Redraw(this, r);
}

void ExplorerBar::focusInEvent(QFocusEvent* event) {
    BackedWidget::focusInEvent(event);
    const std::vector<Spot> spots = Spots();
    if (spots.empty())
        return;
    if (!Shown(m_Focus)) {
        // Tabbing backwards in starts from the end, as it would among controls.
        m_Focus = event->reason() == Qt::BacktabFocusReason ? spots.back() : spots.front();
    }
    MoveFocusTo(m_Focus);
}

void ExplorerBar::focusOutEvent(QFocusEvent* event) {
    BackedWidget::focusOutEvent(event);
    PaintAll();
}

void ExplorerBar::keyPressEvent(QKeyEvent* event) {
    const std::vector<Spot> spots = Spots();
    if (spots.empty()) {
        BackedWidget::keyPressEvent(event);
        return;
    }
    if (!Shown(m_Focus))
        m_Focus = spots.front();
    const auto at = std::find(spots.begin(), spots.end(), m_Focus) - spots.begin();
    const auto last = static_cast<decltype(at)>(spots.size()) - 1;
    const ExplorerGroup* group = GroupAt(m_Focus.Group);
    const bool header = m_Focus.Item == 0;
    switch (event->key()) {
    case Qt::Key_Down:
        MoveFocusTo(spots[static_cast<size_t>(std::min(at + 1, last))]);
        break;
    case Qt::Key_Up:
        MoveFocusTo(spots[static_cast<size_t>(std::max<decltype(at)>(at - 1, 0))]);
        break;
    case Qt::Key_Home:
        MoveFocusTo(spots.front());
        break;
    case Qt::Key_End:
        MoveFocusTo(spots.back());
        break;
    case Qt::Key_Right:
        if (header && !group->Expanded)
            PressSpot(m_Focus);
        else
            MoveFocusTo(spots[static_cast<size_t>(std::min(at + 1, last))]);
        break;
    case Qt::Key_Left:
        if (header && group->Expanded)
            PressSpot(m_Focus);
        else if (!header)
            MoveFocusTo({m_Focus.Group, 0});
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        PressSpot(m_Focus);
        break;
    default:
        BackedWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}
