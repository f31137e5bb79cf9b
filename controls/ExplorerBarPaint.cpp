// The explorer bar's full redraw, the placing of hosted controls and the
// colour helpers the painters share.
#include "controls/ABar.h"

#include "platform/DrawText.h"
#include "platform/GradientFill.h"
#include "platform/ui/Ambient.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

using namespace platform;

OleColor ExplorerBar::SoftColor(OleColor lColor) {
    uint8_t r, g, b;
    Long2RGB(lColor, r, g, b);
    auto soft = [](int c) { return c + 76 - 19 * ((c + 32) / 64); };
    return RGB(soft(r), soft(g), soft(b));
}

void ExplorerBar::Long2RGB(OleColor nColor, uint8_t& Red, uint8_t& Green, uint8_t& Blue) {
    Red = static_cast<uint8_t>(RedOf(nColor));
    Green = static_cast<uint8_t>(GreenOf(nColor));
    Blue = static_cast<uint8_t>(BlueOf(nColor));
}

bool ExplorerBar::DoGradient(OleColor FromColor, OleColor ToColor, int DrawHorVer, int Left, int Top, int Width,
                             int Height) {
    uint8_t r1, g1, b1, r2, g2, b2;
    Long2RGB(FromColor, r1, g1, b1);
    Long2RGB(ToColor, r2, g2, b2);
    TRIVERTEX v[2];
    v[0].x = Left;
    v[0].y = Top;
    v[0].Red = static_cast<uint16_t>(r1 << 8);
    v[0].Green = static_cast<uint16_t>(g1 << 8);
    v[0].Blue = static_cast<uint16_t>(b1 << 8);
    v[1].x = Left + Width;
    v[1].y = Top + Height;
    v[1].Red = static_cast<uint16_t>(r2 << 8);
    v[1].Green = static_cast<uint16_t>(g2 << 8);
    v[1].Blue = static_cast<uint16_t>(b2 << 8);
    GRADIENT_RECT rect;
    rect.UpperLeft = 0;
    rect.LowerRight = 1;
    return GradientFill(Surface(), v, 2, &rect, 1, static_cast<uint32_t>(DrawHorVer));
}

void ExplorerBar::PaintAll() {
    // A repaint asked for while one runs (pending events are let run in the
    // middle of it) is done once more after it, never inside it.
    if (m_Painting) {
        m_PaintAgain = true;
        return;
    }
    m_Painting = true;
    do {
        m_PaintAgain = false;
        PaintPass();
    } while (m_PaintAgain);
    m_Painting = false;
}

void ExplorerBar::PaintPass() {
    // A hidden bar is laid out and painted when it is shown.
    if (!m_UpdatesEnabled || !isVisible())
        return;
    if (!platform::AmbientUserMode(this)) {
        DrawDesignPlaceholder();
        return;
    }
    CalculateLayout();
    GetThemeInfo();

    ThemeDrawRecord& rec = m_ThemeDrawRecord;
    rec.hDC = &Surface();
    rec.hWnd = this;
    rec.ThemeClass = QStringLiteral("Explorerbar");
    rec.PartId = 1;
    rec.StateId = 1;
    rec.DrawRect = ThemeDrawRect{0, 0, width(), height()};
    rec.Text.clear();
    rec.TextFlags = DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS;

    if (m_ThemeColorName != kClassicStyle)
        DrawThemePart(rec);
    else
        Surface().fill(ToQColor(GetSysColor(COLOR_WINDOW)));

    if (m_ShowSpecial) {
        DrawSpecialGroupHeader();
        ExplorerGroup& g = m_SpecialGroup;
        if (g.Expanded) {
            const RECT& h = g.HeaderRect;
            PaintBody(9, h.Left, h.Bottom, h.width(), g.BodyHeight, COLOR_HIGHLIGHT);
            if (!m_SpecialBackground.isNull())
                PaintPicture(Surface(), m_SpecialBackground, h.Left + 1, h.Bottom + 1, m_SpecialBackground.width(),
                             m_SpecialBackground.height());
            // An item under the pointer keeps its hot look through a full
            // repaint (the one on the pointer's entering the bar above all);
            // it turns normal when the pointer leaves it.
            for (int i = 1; i <= g.ItemCount; ++i)
                DrawItem(-1, i, g.Items[i].Hover ? 2 : 1);
        }
    }

    for (int n = 1; n <= m_GroupCount; ++n) {
        DrawGroupHeader(n);
        ExplorerGroup& g = m_Groups[n];
        if (!g.Expanded) {
            if (g.Child)
                g.Child->hide();
        } else if (!g.Child) {
            const RECT& h = g.HeaderRect;
            PaintBody(5, h.Left, h.Bottom, h.width(), g.BodyHeight, COLOR_BTNFACE);
            for (int i = 1; i <= g.ItemCount; ++i)
                DrawItem(n, i, g.Items[i].Hover ? 2 : 1);
        } else {
            PlaceChild(n);
        }
    }

    if (m_ShowDetails) {
        DrawDetailsGroupHeader();
        if (m_DetailsGroup.Expanded)
            PaintDetailsBody();
    }
    DrawFocusRect();

    rec.hDC = &Surface();
    rec.hWnd = this;
    flush();
}

void ExplorerBar::PaintBody(int32_t partId, int x, int y, int w, int h, int fallbackColour) {
    ThemeDrawRecord& rec = m_ThemeDrawRecord;
    rec.PartId = partId;
    rec.StateId = 1;
    rec.Text.clear();
    QImage& s = Surface();
    if (m_ThemeColorName == kMetallicStyle || m_ThemeColorName == kHomeSteadStyle) {
        const OleColor fill = m_ThemeColorName == kMetallicStyle ? RGB(240, 241, 245) : RGB(246, 246, 236);
        DrawBox(s, x, y, x + w - 1, y + h, ToQColor(fill), true);
        DrawBox(s, x, y, x + w - 1, y + h, Qt::white, false);
    } else {
        rec.DrawRect = ThemeDrawRect{x, y, w, h};
        DrawThemePart(rec);
    }
    if (!rec.Succeeded)
        DrawBox(s, x, y, x + w - 1, y + h, ToQColor(GetSysColor(fallbackColour)), false);
}

void ExplorerBar::PaintDetailsBody() {
    const RECT& h = m_DetailsGroup.HeaderRect;
    PaintBody(5, h.Left, h.Bottom, h.width(), m_DetailsGroup.BodyHeight, COLOR_BTNFACE);

    // Title and text are drawn in the resting text state, the title in bold.
    const bool image = !m_DetailsImage.isNull();
    m_ForeColor = GetSysColor(COLOR_BTNTEXT);
    m_FontBold = true;
    RECT title;
    SetRect(title, m_DetailsTextRect.Left, h.Bottom + 11, width() - (image ? 128 : 32), h.Bottom + 11);
    title.Bottom = title.Top + GetTextHeight(title.Left, title.Right, m_DetailsTitle);
    DrawTextA(Context(&Surface()), m_DetailsTitle, -1, title, DT_WORDBREAK);
    m_FontBold = false;
    RECT text = m_DetailsTextRect;
    DrawTextA(Context(&Surface()), m_DetailsText, -1, text, DT_WORDBREAK);
    Redraw(this, m_DetailsTextRect);
    if (image) {
        // The picture stands beside the title, in the room the layout kept,
        // scaled to fit a square of that room's height.
        const int side = width() - 128;
        const int room = std::min(side, width() - 8 - (title.Right + 4) - 4);
        if (room > 0) {
            const QSize fit = m_DetailsImage.size().scaled(room, side, Qt::KeepAspectRatio);
            PaintPicture(Surface(), m_DetailsImage, title.Right + 4, h.Bottom + 12, fit.width(), fit.height());
        }
    }
    RestTextState();
}

void ExplorerBar::PlaceChild(int groupIndex) {
    ExplorerGroup& g = m_Groups[groupIndex];
    QWidget* child = g.Child;
    if (!child)
        return;
    const RECT& h = g.HeaderRect;
    child->setGeometry(h.Left, h.Bottom, h.width(), child->height());
    child->show();

    // The body is drawn into the hosted control's own surface; a control that
    // keeps no surface gets the drawing as its background.
    auto* backed = dynamic_cast<BackedWidget*>(child);
    QImage scratch;
    if (!backed) {
        scratch = QImage(child->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        scratch.fill(ToQColor(GetSysColor(COLOR_WINDOW)));
    }
    QImage& s = backed ? backed->surface() : scratch;
    const int cw = child->width(), ch = child->height();

    ThemeDrawRecord& rec = m_ThemeDrawRecord;
    rec.hDC = &s;
    rec.hWnd = child;
    rec.DrawRect = ThemeDrawRect{0, 0, cw, ch};
    rec.PartId = 5;
    rec.StateId = 1;
    rec.Text.clear();

    OleColor body;
    if (m_ThemeColorName == kMetallicStyle || m_ThemeColorName == kHomeSteadStyle) {
        body = m_ThemeColorName == kMetallicStyle ? RGB(240, 241, 245) : RGB(246, 246, 236);
        DrawBox(s, 0, 0, cw - 1, ch - 1, ToQColor(body), true);
        DrawBox(s, 0, 0, cw - 1, ch - 1, Qt::white, false);
    } else if (m_ThemeColorName == kClassicStyle) {
        body = GetSysColor(COLOR_WINDOW);
        DrawBox(s, 0, 0, cw - 1, ch - 1, ToQColor(body), true);
        DrawBox(s, 0, 0, cw - 1, ch - 1, ToQColor(GetSysColor(COLOR_BTNFACE)), false);
    } else {
        DrawThemePart(rec);
        body = FromQColor(GetPixel(s, 4, 4));
    }
    if (!rec.Succeeded)
        DrawBox(s, 0, 0, cw - 1, ch - 1, ToQColor(GetSysColor(COLOR_BTNFACE)), false);

    for (QWidget* w : child->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<QRadioButton*>(w) && !qobject_cast<QLabel*>(w) && !qobject_cast<QCheckBox*>(w))
            continue;
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, ToQColor(body));
        w->setPalette(pal);
        w->setAutoFillBackground(true);
    }

    if (backed) {
        backed->flush();
        m_Containers[groupIndex].Background = QImage();
    } else {
        m_Containers[groupIndex].Background = scratch;
        child->update();
    }
    rec.hDC = &Surface();
    rec.hWnd = this;
}

void ExplorerBar::DrawDesignPlaceholder() {
    QImage& s = Surface();
    const int w = width();
    const QString caption = QStringLiteral("ExplorerBar ") + GetControlVersion();
    GetThemeInfo();
    ThemeDrawRecord& rec = m_ThemeDrawRecord;
    rec.hDC = &s;
    rec.hWnd = this;
    rec.ThemeClass = QStringLiteral("Explorerbar");
    if (m_ThemeColorName != kClassicStyle) {
        rec.StateId = 1;
        rec.Text.clear();
        rec.PartId = 1;
        rec.DrawRect = ThemeDrawRect{0, 0, w, height()};
        DrawThemePart(rec);
        rec.PartId = 9;
        rec.DrawRect = ThemeDrawRect{3, 48, w - 6, 60};
        DrawThemePart(rec);
        RECT line;
        SetRect(line, 12, 60, w - 12, 96);
        DrawTextA(Context(&s), caption, -1, line, DT_WORDBREAK | DT_NOPREFIX);
        rec.PartId = 12;
        rec.StateId = 2;
        rec.DrawRect = ThemeDrawRect{3, 25, w - 6, 24};
        rec.Text = QStringLiteral("ExplorerBar");
        const uint32_t flags = rec.TextFlags;
        rec.TextFlags = DT_CENTER | DT_SINGLELINE | DT_VCENTER;
        DrawThemePart(rec);
        rec.TextFlags = flags;
        rec.Text.clear();
    } else {
        s.fill(ToQColor(GetSysColor(COLOR_WINDOW)));
        DrawBox(s, 6, 12, w - 12, 34, ToQColor(GetSysColor(COLOR_HIGHLIGHT)), true);
        m_FontBold = true;
        m_ForeColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
        RECT title;
        SetRect(title, 6, 12, w - 12, 35);
        DrawTextA(Context(&s), QStringLiteral("ExplorerBar"), -1, title, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
        m_FontBold = false;
        DrawBox(s, 6, 35, w - 12, 88, ToQColor(GetSysColor(COLOR_HIGHLIGHT)), false);
        m_ForeColor = GetSysColor(COLOR_BTNTEXT);
        RECT line;
        SetRect(line, 12, 44, w - 18, 84);
        DrawTextA(Context(&s), caption, -1, line, DT_WORDBREAK | DT_NOPREFIX);
        RestTextState();
    }
    flush();
}
