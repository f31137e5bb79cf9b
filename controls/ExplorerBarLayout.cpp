// Where everything of the explorer bar goes: recomputed before every full
// redraw; the painters and the mouse only read what this pass stores.
#include "controls/ABar.h"

#include "platform/Clock.h"
#include "platform/DrawText.h"
#include "platform/ui/Extender.h"

#include <QScrollBar>

using namespace platform;

void ExplorerBar::LayoutHeader(ExplorerGroup& g, int32_t& y, int32_t W) {
    SetRect(g.HeaderRect, 8, y, W - 8, y + 24);
    y = g.HeaderRect.Bottom;
}

// An open group's items, each as wide as its caption and as tall as its
// wrapped text; the body ends `bodyEnd` below the last item's gap.
void ExplorerBar::LayoutItems(ExplorerGroup& g, int32_t& y, int32_t W, int32_t bodyEnd) {
    y += 10;
    for (int i = 1; i <= g.ItemCount; ++i) {
        ExplorerItem& item = g.Items[i];
        item.ItemRect.Top = y;
        item.ItemRect.Left = 20;
        const int32_t t = TextWidth(CurrentFont(), item.Caption) + 1;
        item.ItemRect.Right = t < W - 56 ? 40 + t : 40 + (W - 56);
        item.ItemRect.Bottom = y + GetTextHeight(40, W - 16, item.Caption);
        y = item.ItemRect.Bottom + 8;
    }
    g.BodyHeight = y - g.HeaderRect.Bottom + bodyEnd;
    y += 6;
}

void ExplorerBar::CalculateLayout() {
    // Showing or hiding the scroll bar changes the width everything wraps in,
    // so the pass runs again, once per change of the bar's visibility.
    for (;;) {
        int32_t y = -m_ScrollOffset;
        m_FontBold = false;
        const bool barShown = !m_ScrollBar->isHidden();
        const int32_t W = barShown ? width() - m_ScrollBar->width() : width();
        m_LayoutWidth = W;

        if (m_ShowSpecial) {
            ExplorerGroup& g = m_SpecialGroup;
            y += 16;
            LayoutHeader(g, y, W);
            if (g.Expanded)
                LayoutItems(g, y, W, 8);
            y += 6;
        }

        for (int n = 1; n <= m_GroupCount; ++n) {
            ExplorerGroup& g = m_Groups[n];
            y += 10;
            LayoutHeader(g, y, W);
            if (g.Expanded && g.Child) {
                const int32_t h = g.Child->height();
                y += h;
                g.BodyHeight = h;
                y -= 10;
            } else if (g.Expanded) {
                LayoutItems(g, y, W, 12);
            }
            y += 12;
        }

        if (m_ShowDetails) {
            ExplorerGroup& g = m_DetailsGroup;
            y += 8;
            LayoutHeader(g, y, W);
            if (g.Expanded) {
                const bool image = !m_DetailsImage.isNull();
                if (image)
                    y = y + 12 + (width() - 128);
                m_FontBold = true;
                const int32_t a = GetTextHeight(20, width() - 32, m_DetailsTitle);
                m_FontBold = false;
                const int32_t b = GetTextHeight(20, width() - 32, m_DetailsText);
                g.BodyHeight = a + b + 24;
                m_FontBold = true;
                const int32_t c = GetTextHeight(20, W - 24, m_DetailsTitle);
                SetRect(m_DetailsTextRect, 20, y + c + 12, W - 24, y + 20 + g.BodyHeight);
                m_FontBold = false;
                y = m_DetailsTextRect.Bottom;
                if (image)
                    g.BodyHeight = y - g.HeaderRect.Bottom - 12;
            }
        }

        const int32_t d = y + m_ScrollOffset - height();
        if (d <= 0) {
            if (!barShown)
                return;
            m_ScrollBar->hide();
            m_ScrollOffset = 0;
            const QSignalBlocker quiet(m_ScrollBar);
            m_ScrollBar->setValue(0);
            continue;
        }

        {
            const QSignalBlocker quiet(m_ScrollBar);
            m_ScrollBar->setSingleStep(4);
            m_ScrollBar->setPageStep(height());
            m_ScrollBar->setMaximum(d);
            m_ScrollBar->setGeometry(width() - m_ScrollBar->width(), 0, m_ScrollBar->width(), height());
        }
        if (m_ScrollBar->value() != m_ScrollOffset) {
            // A shorter content pulled the bar's value back: lay out at the new offset.
            m_ScrollOffset = m_ScrollBar->value();
            continue;
        }
        if (barShown)
            return;
        if (!ExtenderVisible(this))
            return;
        m_ScrollBar->show();
        // Not while the bar is being shown: the toolkit is walking the
        // window's children then, and an event let run now may delete one.
        if (!m_InShowEvent)
            DoEvents();
        if (!m_UpdatesEnabled)
            return;
    }
}

int32_t ExplorerBar::GetTextHeight(int32_t Left, int32_t Right, const QString& Text) {
    RECT r;
    SetRect(r, Left, 0, Right, height());
    return DrawTextA(Context(nullptr), Text, -1, r, DT_WORDBREAK | DT_CALCRECT);
}

void ExplorerBar::DrawWrappedText(RECT& Rect, const QString& Text) {
    Rect.Bottom = Rect.Top + GetTextHeight(Rect.Left, Rect.Right, Text);
    DrawTextA(Context(&Surface()), Text, -1, Rect, DT_WORDBREAK);
    Redraw(this, Rect);
}

bool ExplorerBar::IsMouseOverWindow(const QWidget* window) const {
    const QPoint p = GetCursorPos();
    const QRect r = GetWindowRect(window);
    // The window system's rectangle ends one past the last pixel, and both ends count.
    return p.x() >= r.left() && p.x() <= r.left() + r.width() && p.y() >= r.top() && p.y() <= r.top() + r.height();
}
