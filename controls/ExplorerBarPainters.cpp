// The explorer bar's single elements: items, the three kinds of header with
// their expand buttons, and the themed parts behind them.
#include "controls/ABar.h"

#include "platform/DrawText.h"
#include "platform/ImageList.h"
#include "platform/Theme.h"
#include "platform/Ui.h"

using namespace platform;

namespace {
constexpr uint32_t kCaptionFormat = DT_VCENTER | DT_SINGLELINE | DT_MODIFYSTRING | DT_WORD_ELLIPSIS;
} // namespace

void ExplorerBar::RestTextState() {
    m_ForeColor = GetSysColor(COLOR_BTNTEXT);
    m_FontUnderline = true;
    m_FontBold = false;
}

void ExplorerBar::DrawItem(int GroupIndex, int ItemIndex, int ItemState) {
    switch (ItemState) {
    case 1:
        m_ForeColor = GetSysColor(COLOR_BTNTEXT);
        break;
    case 2:
        m_ForeColor = GetSysColor(COLOR_HIGHLIGHT);
        break;
    case 3:
        m_ForeColor = GetSysColor(COLOR_GRADIENTACTIVECAPTION);
        break;
    case 4:
        m_ForeColor = GetSysColor(COLOR_GRAYTEXT);
        break;
    default:
        break;
    }
    m_FontUnderline = true;
    m_FontBold = false;

    ExplorerGroup* group = GroupIndex == -1 ? &m_SpecialGroup : GroupAt(GroupIndex);
    if (!group || GroupIndex == -2 || ItemIndex < 1 || ItemIndex > group->ItemCount)
        return;
    const ExplorerItem& item = group->Items[ItemIndex];
    RECT text;
    SetRect(text, item.ItemRect.Left + 20, item.ItemRect.Top, m_LayoutWidth - 12, item.ItemRect.Bottom);
    DrawWrappedText(text, item.Caption);

    bool drawn = true;
    if (m_ImageListKind == 1) {
        auto* list = qobject_cast<ImageList*>(m_ImageList.data());
        if (list && item.Icon >= 1 && item.Icon <= list->Count())
            PaintPicture(Surface(), list->ListImages(item.Icon).ExtractIcon(), item.ItemRect.Left, item.ItemRect.Top,
                         16, 16);
        else
            drawn = false;
    } else if (m_ImageListKind == 2) {
        drawn = m_ImageList && QMetaObject::invokeMethod(m_ImageList.data(), "DrawImage", Qt::DirectConnection,
                                                         Q_ARG(int, item.Icon), Q_ARG(QImage*, &Surface()),
                                                         Q_ARG(int, item.ItemRect.Left), Q_ARG(int, item.ItemRect.Top));
    }
    if (!drawn) {
        DebugPrint(QStringLiteral("No Defined Imagelist or invalid Image Index"));
        return;
    }
    Redraw(this, item.ItemRect);
    m_ForeColor = GetSysColor(COLOR_BTNTEXT);
}

void ExplorerBar::DrawGroupHeader(int GroupIndex) {
    if (ExplorerGroup* group = GroupIndex >= 1 ? GroupAt(GroupIndex) : nullptr)
        DrawHeader(*group, false);
}

void ExplorerBar::DrawSpecialGroupHeader() {
    DrawHeader(m_SpecialGroup, true);
}

void ExplorerBar::DrawDetailsGroupHeader() {
    DrawHeader(m_DetailsGroup, false);
}

void ExplorerBar::DrawHeader(ExplorerGroup& group, bool special) {
    m_FontUnderline = false;
    m_FontBold = true;
    const RECT& hr = group.HeaderRect;
    const int L = hr.Left, T = hr.Top, R = hr.Right, B = hr.Bottom;
    const int W = R - L, H = B - T;
    ThemeDrawRecord& rec = m_ThemeDrawRecord;
    rec.PartId = special ? 12 : 8;
    rec.DrawRect = ThemeDrawRect{L, T, W, H};
    rec.StateId = group.State;
    rec.Text = group.Caption;
    rec.TextIndent = special ? 36 : 0;

    RECT caption;
    SetRect(caption, special ? L + 36 : L + 12, T, R - 25, B);
    const bool metallic = m_ThemeColorName == kMetallicStyle;
    const bool homestead = m_ThemeColorName == kHomeSteadStyle && !special;
    if (metallic || homestead) {
        OleColor from, to;
        if (homestead) {
            from = RGB(255, 252, 236);
            to = RGB(224, 231, 184);
            m_ForeColor = GetSysColor(group.Hover ? COLOR_HIGHLIGHT : COLOR_3DDKSHADOW);
        } else if (!special) {
            from = RGB(255, 255, 255);
            to = RGB(214, 215, 224);
            m_ForeColor = GetSysColor(group.Hover ? COLOR_3DDKSHADOW : COLOR_BTNTEXT);
        } else {
            from = RGB(119, 119, 146);
            to = RGB(180, 182, 199);
            m_ForeColor = GetSysColor(group.Hover ? COLOR_BTNFACE : COLOR_BTNHIGHLIGHT);
        }
        // Three overlapping bars round the two top corners.
        DoGradient(from, to, 0, L + 2, T, W - 4, H);
        DoGradient(from, to, 0, L + 1, T + 1, W - 2, H - 1);
        DoGradient(from, to, 0, L, T + 2, W, H - 2);
        DrawTextA(Context(&Surface()), group.Caption, -1, caption, kCaptionFormat);
    } else {
        DrawThemePart(rec);
        if (!rec.Succeeded) {
            DrawBox(Surface(), L, T, R, B, ToQColor(GetSysColor(special ? COLOR_HIGHLIGHT : COLOR_BTNFACE)), true);
            m_ForeColor = GetSysColor(special ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
            DrawTextA(Context(&Surface()), group.Caption, -1, caption, kCaptionFormat);
        }
    }
    RestTextState();

    // The expand button.
    const int base = special ? 11 : 7;
    rec.PartId = group.Expanded ? base - 1 : base;
    rec.Text.clear();
    rec.DrawRect = ThemeDrawRect{m_LayoutWidth - 32, T, 24, 24};
    rec.StateId = group.State;
    const int X = rec.DrawRect.X, Y = rec.DrawRect.Y;
    const int column = (special ? 0 : 34) + (group.Expanded ? 17 : 0);
    if (metallic || homestead) {
        PaintPicture(Surface(), m_imgbuttons, X + 4, Y + 4, 17, 17, column, metallic ? 0 : 18, 17, 17);
    } else {
        DrawThemePart(rec);
        if (!rec.Succeeded) {
            int a = COLOR_BTNFACE, b = COLOR_BTNFACE;
            if (group.State == 3) {
                a = COLOR_BTNHIGHLIGHT;
                b = COLOR_BTNSHADOW;
            } else if (group.State == 2) {
                a = COLOR_BTNSHADOW;
                b = COLOR_BTNHIGHLIGHT;
            }
            QImage& s = Surface();
            DrawLine(s, X + 4, Y + 20, X + 20, Y + 20, ToQColor(GetSysColor(a)));
            DrawLine(s, X + 20, Y + 4, X + 20, Y + 20, ToQColor(GetSysColor(a)));
            DrawLine(s, X + 4, Y + 4, X + 4, Y + 20, ToQColor(GetSysColor(b)));
            DrawLine(s, X + 4, Y + 4, X + 20, Y + 4, ToQColor(GetSysColor(b)));
            DrawChevron(X, Y, group.Expanded, GetSysColor(special ? COLOR_WINDOW : COLOR_BTNTEXT));
        }
    }

    if (special && !m_SpecialIcon.isNull())
        PaintPicture(Surface(), m_SpecialIcon, 12, T - 8, 32, 32);
    // A header is drawn edge to edge, over its focus rectangle.
    if (m_Focus.Item == 0 && GroupAt(m_Focus.Group) == &group)
        DrawFocusRect();
    Redraw(this, hr);
}

void ExplorerBar::DrawChevron(int X, int Y, bool Expanded, OleColor Colour) {
    // Two chevrons 4 px apart, each of two arms two pixels wide.
    static const int up[8][4] = {{9, 11, 13, 7},  {10, 11, 13, 8},  {15, 11, 11, 7},  {14, 11, 11, 8},
                                 {9, 15, 13, 11}, {10, 15, 13, 12}, {15, 15, 11, 11}, {14, 15, 11, 12}};
    static const int down[8][4] = {{9, 8, 13, 12},  {10, 8, 13, 11},  {15, 8, 11, 12},  {14, 8, 11, 11},
                                   {9, 12, 13, 16}, {10, 12, 13, 15}, {15, 12, 11, 16}, {14, 12, 11, 15}};
    const auto& segments = Expanded ? up : down;
    const QColor c = ToQColor(Colour);
    for (const auto& s : segments)
        DrawLine(Surface(), X + s[0], Y + s[1], X + s[2], Y + s[3], c);
}

void ExplorerBar::DrawThemePart(ThemeDrawRecord& record) {
    if (m_ThemeColorName == kClassicStyle) {
        record.Succeeded = false;
        return;
    }
    const int32_t hWnd = HandleOf(record.hWnd);
    const HTHEME theme = OpenThemeData(hWnd, record.ThemeClass);
    if (!theme) {
        DebugPrint(QStringLiteral("No theme data for class '") + record.ThemeClass + QStringLiteral("'.  - 0"));
        record.Succeeded = false;
        return;
    }
    record.Succeeded = true;
    const ThemeDrawRect& d = record.DrawRect;
    const QString part = QString::number(record.PartId), state = QString::number(record.StateId);
    DeviceContext dc = Context(record.hDC);

    RECT partRect;
    SetRect(partRect, d.X, d.Y, d.X + d.Width, d.Y + d.Height);
    if (record.UsePartSize) {
        SIZE size;
        if (GetThemePartSize(theme, &dc, record.PartId, record.StateId, &partRect, TS_TRUE, size) == S_OK) {
            partRect.Right = partRect.Left + size.cx;
            partRect.Bottom = partRect.Top + size.cy;
        }
    }

    int32_t offset = record.TextIndent;
    RECT icon;
    const bool hasIcon = record.IconIndex >= 0 && record.ImageListHandle != 0 &&
                         ImageList_GetImageRect(record.ImageListHandle, record.IconIndex, icon);
    if (hasIcon) {
        // The icon sits at the content's top left; the text starts after it.
        offset += icon.width() + 4;
        partRect.Bottom = std::max(partRect.Bottom, partRect.Top + icon.height() + 4);
    }

    RECT content = partRect;
    GetThemeBackgroundContentRect(theme, &dc, record.PartId, record.StateId, partRect, content);
    if (!record.Text.isEmpty()) {
        RECT extent;
        GetThemeTextExtent(theme, dc, record.PartId, record.StateId, record.Text, -1, record.TextFlags, &partRect,
                           extent);
        if (content.height() < extent.height())
            partRect.Bottom += extent.height() - content.height();
        if (content.width() - offset < extent.width() + 8)
            partRect.Right += extent.width() + 8 - (content.width() - offset);
    }

    if (DrawThemeParentBackground(hWnd, dc, &partRect) != S_OK)
        DebugPrint(QStringLiteral("Failed to parent draw background for class '") + record.ThemeClass +
                   QStringLiteral("', partId=") + part + QStringLiteral(", stateId=") + state);
    if (DrawThemeBackground(theme, dc, record.PartId, record.StateId, partRect, &partRect) != S_OK) {
        record.Succeeded = false;
        DebugPrint(QStringLiteral("Failed to draw background for class '") + record.ThemeClass +
                   QStringLiteral("', partId=") + part + QStringLiteral(", stateId=") + state);
    }

    if (!record.Text.isEmpty()) {
        RECT text;
        SetRect(text, content.Left + offset, partRect.Top, partRect.Right - record.TextRightIndent, partRect.Bottom);
        if (m_UseUxThemeText) {
            DrawThemeText(theme, dc, record.PartId, record.StateId, record.Text, -1, record.TextFlags, 0, text);
        } else {
            if (record.PartId == 12)
                m_ForeColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
            else if (record.StateId == 1)
                m_ForeColor = GetSysColor(COLOR_HIGHLIGHT);
            else
                m_ForeColor = SoftColor(GetSysColor(COLOR_HIGHLIGHT));
            DrawTextA(Context(record.hDC), record.Text, -1, text, record.TextFlags);
            m_ForeColor = GetSysColor(COLOR_BTNTEXT);
        }
    }

    if (record.IconIndex >= 0) {
        RECT where;
        SetRect(where, content.Left + 2, content.Top + 2, content.Left + 2 + (hasIcon ? icon.width() : 0),
                content.Top + 2 + (hasIcon ? icon.height() : 0));
        DrawThemeIcon(theme, dc, record.PartId, record.StateId, where, record.ImageListHandle, record.IconIndex);
    }

    CloseThemeData(theme);
    RECT whole;
    SetRect(whole, d.X, d.Y, d.X + d.Width, d.Y + d.Height);
    Redraw(record.hWnd, whole);
}

void ExplorerBar::GetThemeInfo() {
    const HTHEME theme = OpenThemeData(HandleOf(this), QStringLiteral("ExplorerBar"));
    if (!theme) {
        m_ThemeColorName = kClassicStyle;
        return;
    }
    QString file, colour;
    GetCurrentThemeName(&file, &colour);
    m_ThemeFileName = file.left(file.indexOf(QChar(0)));
    m_ThemeColorName = colour.left(colour.indexOf(QChar(0)));
    CloseThemeData(theme);
}
