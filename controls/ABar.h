#pragma once

#include "controls/ExplorerBarTypes.h"
#include "platform/PropertyBag.h"
#include "platform/SysColors.h"
#include "platform/Variant.h"
#include "platform/ui/BackedWidget.h"
#include "platform/ui/Subclass.h"

#include <QCursor>
#include <QFont>
#include <QImage>
#include <QMap>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <optional>
#include <vector>

class QScrollBar;
struct ExplorerBarProbe;
class ExplorerBarAccessible;
class ExplorerBarElementAccessible;

// A task pane: from top to bottom an optional special group, any number of
// normal groups and an optional details group, each a caption header that
// opens or closes a body of clickable items (or of one control the host puts
// there). It tells its host what happens through its signals only.
//
// Groups are named by a Group argument: a 16-bit integer index (-1 the
// special group, -2 the details group) or a text key; items by an Item
// argument: a 16-bit integer position or a text key. Any other kind, a 32-bit
// integer included, is refused with the bar's error box.
//
// A host reads the saved settings with ReadProperties once the bar sits on
// it; that also docks the bar to the host's left edge and hooks the window
// messages the bar needs (wheel, theme and colour changes).
//
// Tab stops on the bar as a whole. There the arrow keys move a focus
// rectangle from header to item to header in reading order (Home and End to
// the first and last; Left and Right also close and open a group), and Enter
// or Space acts as a click on what it stands on.

class ExplorerBar : public platform::BackedWidget {
    Q_OBJECT
public:
    explicit ExplorerBar(QWidget* parent = nullptr);
    ~ExplorerBar() override;

    // The hook's callback (see platform::WindowSubclass): public only so the
    // hook can reach it.
    void zSubclass_Proc(bool bBefore, bool& bHandled, int32_t& lReturn, int32_t& lngHwnd, int32_t& uMsg,
                        int32_t& wParam, int32_t& lParam);

    void Refresh();
    // Lightens each colour byte, the lower bytes the more.
    static platform::OleColor SoftColor(platform::OleColor lColor);
    // A two-colour gradient rectangle on the bar: across (0) or down (1).
    bool DoGradient(platform::OleColor FromColor, platform::OleColor ToColor, int DrawHorVer, int Left, int Top,
                    int Width, int Height);
    static void Long2RGB(platform::OleColor nColor, uint8_t& Red, uint8_t& Green, uint8_t& Blue);
    void SetHandCur(bool Hand);

    // The type, icon, background and mask arguments are accepted and ignored.
    void AddGroup(const QString& sKey, const QString& sCaption, const platform::Variant& iType = {},
                  const QImage& imgIcon = {}, const QImage& imgBackground = {}, platform::OleColor lMaskColor = 0);
    // iIcon left empty: no icon.
    void AddItem(const platform::Variant& Group, const QString& sKey, const QString& sCaption,
                 const platform::Variant& iIcon = {});
    // A platform::ImageList, or an object of the type "AltImageList" offering
    // the invokable ImageCount() and DrawImage(int icon, QImage* surface, int x, int y).
    void SetImageList(QObject* ImageListObj);
    void AddSpecialGroup(const QString& Caption, const QImage& Icon, const QImage& background = {});
    void HideSpecialGroup();
    void AddDetailsGroup(const QString& Caption, const QString& sTittle, const QString& sDetails);
    void SetDetailsText(const QString& sDetails);
    void HideDetailsGroup();
    // Opens a link with the desktop; returns a value above 32 on success, as the shell does.
    int32_t OpenLink(const QString& sLink);
    void About();
    void ClearStructure();
    void ClearGroup(const platform::Variant& Group);
    // Hosts a control in a normal group's body; pChildPointer is its mouse
    // pointer (0 default, 99 the bar's hand).
    void SetGroupChild(const platform::Variant& Group, QWidget* pChild, int pChildPointer = 0);
    void ExpandGroup(const platform::Variant& Group, bool bExpand);
    void SetGroupCaption(const platform::Variant& Group, const QString& sNewCaption);
    void SetItemIcon(const platform::Variant& Group, const platform::Variant& Item, const platform::Variant& iNewIcon,
                     bool bUpdate);
    void SetItemText(const platform::Variant& Group, const platform::Variant& Item, const QString& sNewCaption);
    void DisableUpdates(bool bDisable);
    void SetDetailsImage(const QImage& detailsImage);
    QString GetControlVersion() const;
    // The bar's font. Setting it takes only the name; Qt's fonts carry no
    // character set, which comes from the saved settings only.
    void SetFont(const QFont& newFont);
    QFont Font() const;
    bool UseUxThemeText() const { return m_UseUxThemeText; }
    void SetUseUxThemeText(bool bNewUseUxThemeText);
    platform::Variant EnableAltImagelist(bool bEnable);

    // The saved settings of the host form.
    void ReadProperties(const platform::PropertyBag& bag);
    void WriteProperties(platform::PropertyBag& bag) const;

signals:
    void MouseOver();
    void MouseOut();
    void GroupHover(const QString& sGroup);
    void GroupOut(const QString& sGroup);
    void ItemClick(const QString& sGroup, const QString& sItemKey);
    // Group: the index, -1 the special group, -2 the details group. Connect
    // directly: a handler's change of bExpanded changes the group.
    void GroupClick(int Group, bool& bExpanded);
    void ItemHover(const QString& sGroup, const QString& sItemKey);
    void ItemOut(const QString& sGroup, const QString& sItemKey);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend struct ExplorerBarProbe;
    // Screen readers see the groups and items through these.
    friend class ExplorerBarAccessible;
    friend class ExplorerBarElementAccessible;

    // Where the keyboard can stand: a group's header (Item 0) or one of its
    // items; Group as GroupAt takes it, 0 for nowhere.
    struct Spot {
        int Group = 0;
        int Item = 0;
        bool operator==(const Spot& o) const { return Group == o.Group && Item == o.Item; }
    };
    // The spots shown, in reading order: each shown group's header, then its
    // items while it is open (a group holding a control has none).
    std::vector<Spot> Spots() const;
    bool Shown(const Spot& spot) const;
    const ExplorerGroup* GroupAt(int index) const;
    // The rectangle a spot covers on the bar.
    platform::RECT SpotRect(const Spot& spot) const;
    // What a click on the spot does: a header opens or closes its group, an
    // item raises ItemClick.
    void PressSpot(const Spot& spot);
    // Puts the keyboard's spot there, scrolled into view, and redraws.
    void MoveFocusTo(const Spot& spot);
    void DrawFocusRect();

    // A hosted control, remembered so the bar can hide it when emptied.
    struct ChildContainer {
        QPointer<QWidget> Child;
        QString ChildName;
        QImage Background; // the body drawn for a control that keeps no surface of its own
    };

    // Arguments
    int GetGroupsByKeyN(const platform::Variant& sGroupKey);
    int GetItemIndex(const ExplorerGroup& group, const platform::Variant& Item);
    int GetIconIndex(const platform::Variant& iIcon);
    int ImageCount() const;
    QString ImageKey(int index) const;
    ExplorerGroup* GroupAt(int index);
    void ErrorBox(const QString& message);
    static void DebugPrint(const QString&) {}
    template <typename Change>
    void ChangeItem(const platform::Variant& Group, const platform::Variant& Item, Change change);

    // Layout
    void CalculateLayout();
    void LayoutHeader(ExplorerGroup& g, int32_t& y, int32_t W);
    void LayoutItems(ExplorerGroup& g, int32_t& y, int32_t W, int32_t bodyEnd);
    int32_t GetTextHeight(int32_t Left, int32_t Right, const QString& Text);
    void DrawWrappedText(platform::RECT& Rect, const QString& Text);
    bool IsMouseOverWindow(const QWidget* window) const;

    // Paint pass
    void PaintAll();
    void PaintPass();
    // A group body in the style's look (theme part partId), outlined in the
    // fallback colour where the style drew none.
    void PaintBody(int32_t partId, int x, int y, int w, int h, int fallbackColour);
    void PaintDetailsBody();
    void PlaceChild(int groupIndex);
    void DrawDesignPlaceholder();

    // Painters
    void DrawItem(int GroupIndex, int ItemIndex, int ItemState);
    void DrawGroupHeader(int GroupIndex);
    void DrawSpecialGroupHeader();
    void DrawDetailsGroupHeader();
    void DrawHeader(ExplorerGroup& group, bool special);
    void DrawThemePart(ThemeDrawRecord& record);
    void GetThemeInfo();
    void DrawChevron(int X, int Y, bool Expanded, platform::OleColor Colour);
    void RestTextState();

    // Mouse
    void MouseDown(int Button, int Shift, double X, double Y);
    void MouseMove(int Button, int Shift, double X, double Y);
    void MouseUp(int Button, int Shift, double X, double Y);
    // A header's click: opens or closes the group, then tells the host.
    void ClickGroup(int index, bool immediate);
    void HoverPass(double X, double Y);
    void timUpdate_Timer();
    void ScrollBarChange(int value);
    static bool Hit(const platform::RECT& r, double X, double Y);
    void SetMousePointer(QWidget* target, int pointer);

    // Drawing state of the bar's surface, as a window's device context keeps it.
    void SetFontName(const QString& name);
    QFont CurrentFont() const;
    platform::DeviceContext Context(QImage* surface) const;
    QImage& Surface() { return surface(); }
    void Redraw(QWidget* window, const platform::RECT& r);

    std::vector<ExplorerGroup> m_Groups = std::vector<ExplorerGroup>(1); // 1..m_GroupCount
    int m_GroupCount = 0;
    bool m_ShowSpecial = false;
    ExplorerGroup m_SpecialGroup;
    QImage m_SpecialIcon;
    QImage m_SpecialBackground;
    bool m_ShowDetails = false;
    ExplorerGroup m_DetailsGroup;
    QString m_DetailsTitle;
    QString m_DetailsText;
    platform::RECT m_DetailsTextRect;
    QImage m_DetailsImage;
    QPointer<QObject> m_ImageList;
    int m_ImageListKind = 0;
    int m_ScrollOffset = 0;
    bool m_UpdatesEnabled = false;
    bool m_MouseInside = false;
    bool m_UseUxThemeText = true;
    bool m_EnableAltIml = false;
    QString m_ThemeFileName;
    QString m_ThemeColorName = kClassicStyle;
    ThemeDrawRecord m_ThemeDrawRecord;
    int32_t m_LayoutWidth = 0;
    QMap<int, ChildContainer> m_Containers;

    QString m_FontName;
    QString m_FontFamily; // the family drawn in: the name's own if installed, else the fallback
    int16_t m_FontCharset = 0;
    platform::OleColor m_ForeColor = 0;
    bool m_FontBold = false;
    bool m_FontUnderline = true;

    QScrollBar* m_ScrollBar = nullptr;
    QTimer m_timUpdate;
    int m_MousePointer = 0;
    // Made when the pointer first rests on an item: a bar never pointed at
    // never reads its picture.
    std::optional<QCursor> m_HandCursor;
    const QCursor& HandCursor();
    QImage m_imgbuttons;
    platform::WindowSubclass m_Subclass;
    bool m_Subclassed = false;
    bool m_Painting = false;
    bool m_PaintAgain = false;
    bool m_InShowEvent = false;
    Spot m_Focus;
};
