#include "controls/ABar.h"

#include "controls/ControlsAccessible.h"
#include "platform/DrawText.h"
#include "platform/ImageList.h"
#include "platform/ProgramFolder.h"
#include "platform/RuntimeError.h"
#include "platform/Shell.h"
#include "platform/Ui.h"
#include "platform/ui/Ambient.h"
#include "platform/ui/Extender.h"

#include <QFontDatabase>
#include <QHash>
#include <QPixmap>
#include <QScrollBar>
#include <algorithm>

using namespace platform;

namespace {
// The width of the vertical scroll bar, as the window system draws it.
constexpr int kScrollBarWidth = 17;
// Where the hand pointer points in its picture.
constexpr int kHandHotX = 8;
constexpr int kHandHotY = 1;
} // namespace

ExplorerBar::ExplorerBar(QWidget* parent)
    : BackedWidget(parent),
      m_Subclass([this](bool before, bool& handled, int32_t& ret, int32_t& hwnd, int32_t& msg, int32_t& wp,
                        int32_t& lp) { zSubclass_Proc(before, handled, ret, hwnd, msg, wp, lp); }) {
    InstallControlsAccessibility();
    m_EnableAltIml = false;
    SetFontName(QStringLiteral("Verdana"));
    m_ForeColor = GetSysColor(COLOR_BTNTEXT);
    setSurfaceFill(ToQColor(GetSysColor(COLOR_WINDOW)));
    setMouseTracking(true);
    // Reached by Tab; a click acts on what it hits without taking the focus.
    setFocusPolicy(Qt::TabFocus);

    m_SpecialGroup.Key = kSpecialGroupKey;
    m_DetailsGroup.Key = kDetailsGroupKey;
    m_ThemeDrawRecord.hDC = &Surface();
    m_ThemeDrawRecord.hWnd = this;

    m_ScrollBar = new QScrollBar(Qt::Vertical, this);
    m_ScrollBar->setObjectName(QStringLiteral("m_ScrollBar"));
    m_ScrollBar->setMinimum(0);
    m_ScrollBar->setMaximum(0);
    m_ScrollBar->resize(kScrollBarWidth, 100);
    m_ScrollBar->hide();
    connect(m_ScrollBar, &QScrollBar::valueChanged, this, &ExplorerBar::ScrollBarChange);

    m_timUpdate.setInterval(10);
    connect(&m_timUpdate, &QTimer::timeout, this, &ExplorerBar::timUpdate_Timer);

    m_imgbuttons = QImage(ShippedFile(QStringLiteral("imgbuttons.png")));
}

const QCursor& ExplorerBar::HandCursor() {
    if (!m_HandCursor) {
        const QPixmap hand(ShippedFile(QStringLiteral("hand.png")));
        m_HandCursor = hand.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(hand, kHandHotX, kHandHotY);
    }
    return *m_HandCursor;
}

ExplorerBar::~ExplorerBar() {
    if (m_Subclassed)
        m_Subclass.Subclass_Stop();
}

// ---------------------------------------------------------------- arguments

void ExplorerBar::ErrorBox(const QString& message) {
    MsgBox(QStringLiteral("An Error has ocurred!\n") + message, MsgStyle::Critical, QStringLiteral("ExplorerBar"));
}

int ExplorerBar::GetGroupsByKeyN(const Variant& sGroupKey) {
    switch (sGroupKey.kind()) {
    case Variant::Integer:
        return sGroupKey.toInteger();
    case Variant::String: {
        const QString key = sGroupKey.toString();
        for (int i = 1; i <= m_GroupCount; ++i)
            if (m_Groups[i].Key == key)
                return i;
        if (key == kSpecialGroupKey)
            return -1;
        if (key == QLatin1String("Details"))
            return -2;
        return -3;
    }
    default:
        ErrorBox(QStringLiteral("GetGroupsByKeyN: sGroupKey not of required Type (String or Integer)!"));
        return -3;
    }
}

ExplorerGroup* ExplorerBar::GroupAt(int index) {
    if (index == -1)
        return &m_SpecialGroup;
    if (index == -2)
        return &m_DetailsGroup;
    if (index >= 1 && index <= m_GroupCount)
        return &m_Groups[index];
    return nullptr;
}

int ExplorerBar::GetItemIndex(const ExplorerGroup& group, const Variant& Item) {
    if (group.ItemCount == 0) {
        ErrorBox(QStringLiteral("GetItemIndex: There are no Items in this group!"));
        return 0;
    }
    switch (Item.kind()) {
    case Variant::String:
        for (int i = 1; i <= group.ItemCount; ++i)
            if (group.Items[i].Key == Item.toString())
                return i;
        ErrorBox(QStringLiteral("GetItemIndex/String: Item specified not found!"));
        return 0;
    case Variant::Integer: {
        const int i = Item.toInteger();
        if (i >= 1 && i <= group.ItemCount)
            return i;
        ErrorBox(QStringLiteral("GetItemIndex/Integer: Item specified not found!"));
        return 0;
    }
    default:
        ErrorBox(QStringLiteral("GetItemIndex: Item must contain String or Integer!"));
        return 0;
    }
}

// The number of pictures the image list offers; throws when it cannot tell.
int ExplorerBar::ImageCount() const {
    switch (m_ImageListKind) {
    case 1:
        if (auto* list = qobject_cast<ImageList*>(m_ImageList.data()))
            return list->Count();
        break;
    case 2: {
        int count = 0;
        if (m_ImageList &&
            QMetaObject::invokeMethod(m_ImageList.data(), "ImageCount", Qt::DirectConnection, Q_RETURN_ARG(int, count)))
            return count;
        break;
    }
    default:
        return 0;
    }
    throw RuntimeError::fromNumber(91);
}

// The key of a picture; only a common-controls image list has keys.
QString ExplorerBar::ImageKey(int index) const {
    if (auto* list = qobject_cast<ImageList*>(m_ImageList.data()))
        return list->ListImages(index).Key;
    throw RuntimeError::fromNumber(438);
}

int ExplorerBar::GetIconIndex(const Variant& iIcon) {
    try {
        const int count = ImageCount();
        switch (iIcon.kind()) {
        case Variant::String:
            for (int i = 1; i <= count; ++i)
                if (ImageKey(i) == iIcon.toString())
                    return i;
            ErrorBox(QStringLiteral("GetIconIndex: icon with key ") + iIcon.toString() +
                     QStringLiteral(" doesn't exist!"));
            return -1;
        case Variant::Integer: {
            const int i = iIcon.toInteger();
            if (i >= 1 && i <= count)
                return i;
            DebugPrint(QStringLiteral("GetIconIndex: invalid Image Index!"));
            return -1;
        }
        default:
            ErrorBox(QStringLiteral("GetIconIndex: iIcon not of required Type (String or Integer)!"));
            return -1;
        }
    } catch (const RuntimeError&) {
        DebugPrint(QStringLiteral("No Defined Imagelist"));
        return -1;
    }
}

// ---------------------------------------------------------------- members

void ExplorerBar::Refresh() {
    PaintAll();
}

void ExplorerBar::AddGroup(const QString& sKey, const QString& sCaption, const Variant&, const QImage&, const QImage&,
                           OleColor) {
    ExplorerGroup group;
    group.Key = sKey;
    group.Caption = sCaption;
    group.Expanded = true;
    m_Groups.push_back(group);
    m_GroupCount = static_cast<int>(m_Groups.size()) - 1;
    PaintAll();
}

void ExplorerBar::AddItem(const Variant& Group, const QString& sKey, const QString& sCaption, const Variant& iIcon) {
    const int icon = iIcon.isEmpty() ? -1 : GetIconIndex(iIcon);
    const int g = GetGroupsByKeyN(Group);
    ExplorerGroup* group = nullptr;
    ExplorerItem item;
    if (g == -1) {
        group = &m_SpecialGroup;
        item.GroupKey = kSpecialGroupKey;
    } else if (g == -3) {
        DebugPrint(QStringLiteral("Can't assign items to the Especified group"));
        return;
    } else if (g == 0) {
        DebugPrint(QStringLiteral("The group '") + Group.toString() + QStringLiteral("' doesn't exist"));
        return;
    } else if (g >= 1 && g <= m_GroupCount) {
        group = &m_Groups[g];
        item.GroupKey = Group.toString();
    } else {
        return; // the details group or an index beyond the groups: nothing to add to
    }
    item.Key = sKey;
    item.Caption = sCaption;
    item.Icon = icon;
    item.Index = group->ItemCount + 1;
    group->Items.push_back(item);
    group->ItemCount = item.Index;
    PaintAll();
}

void ExplorerBar::SetImageList(QObject* ImageListObj) {
    m_ImageList = ImageListObj;
    if (qobject_cast<ImageList*>(ImageListObj))
        m_ImageListKind = 1;
    else if (ImageListObj && QLatin1String(ImageListObj->metaObject()->className()) == QLatin1String("AltImageList"))
        m_ImageListKind = 2;
    else
        m_ImageListKind = 0;
}

void ExplorerBar::AddSpecialGroup(const QString& Caption, const QImage& Icon, const QImage& background) {
    m_ShowSpecial = true;
    m_SpecialGroup.Caption = Caption;
    m_SpecialGroup.Key = kSpecialGroupKey;
    m_SpecialGroup.Expanded = true;
    m_SpecialIcon = Icon;
    m_SpecialBackground = background;
    PaintAll();
}

void ExplorerBar::HideSpecialGroup() {
    m_ShowSpecial = false;
    PaintAll();
    repaint();
}

void ExplorerBar::AddDetailsGroup(const QString& Caption, const QString& sTittle, const QString& sDetails) {
    m_ShowDetails = true;
    m_DetailsGroup.Caption = Caption;
    m_DetailsGroup.Key = kDetailsGroupKey;
    m_DetailsTitle = sTittle;
    m_DetailsText = sDetails;
    m_DetailsGroup.Expanded = true;
    PaintAll();
}

void ExplorerBar::SetDetailsText(const QString& sDetails) {
    m_DetailsText = sDetails;
    m_DetailsGroup.Expanded = true;
    PaintAll();
}

void ExplorerBar::HideDetailsGroup() {
    m_ShowDetails = false;
    PaintAll();
}

int32_t ExplorerBar::OpenLink(const QString& sLink) {
    return ShellExecuteOpen(sLink) ? 42 : 2;
}

void ExplorerBar::About() {
    MsgBox(QStringLiteral("ExplorerBar ") + GetControlVersion() +
               QStringLiteral("\nThe task pane of Veltrane: groups of commands under headers that open and close."),
           MsgStyle::Information, QStringLiteral("About ..."));
}

void ExplorerBar::ClearStructure() {
    DoEvents();
    m_ShowSpecial = false;
    m_SpecialGroup.Items.resize(1);
    m_SpecialGroup.ItemCount = 0;
    m_ShowDetails = false;
    for (const ChildContainer& container : m_Containers) {
        if (container.Child)
            container.Child->hide();
        if (container.ChildName.isEmpty())
            continue;
        for (QWidget* w : findChildren<QWidget*>(container.ChildName, Qt::FindDirectChildrenOnly))
            w->hide();
    }
    m_Containers.clear();
    m_Groups.resize(1);
    m_GroupCount = 0;
    SetMousePointer(this, 0);
    const bool enabled = m_UpdatesEnabled;
    m_UpdatesEnabled = true;
    PaintAll();
    m_UpdatesEnabled = enabled;
    repaint();
}

void ExplorerBar::ClearGroup(const Variant& Group) {
    const int g = GetGroupsByKeyN(Group);
    if (g != -1 && (g < 1 || g > m_GroupCount))
        return; // the details group has no items; anything else names no group
    ExplorerGroup* group = GroupAt(g);
    group->Items.resize(1);
    group->ItemCount = 0;
    PaintAll();
}

void ExplorerBar::SetGroupChild(const Variant& Group, QWidget* pChild, int pChildPointer) {
    const int g = GetGroupsByKeyN(Group);
    if (g == -1) {
        m_SpecialGroup.Child = pChild;
        SetMousePointer(pChild, pChildPointer);
        return;
    }
    if (g < 1 || g > m_GroupCount)
        return;
    m_Groups[g].Child = pChild;
    SetMousePointer(pChild, pChildPointer);
    if (pChild) {
        if (pChild->parentWidget() != this)
            pChild->setParent(this);
        pChild->setMouseTracking(true);
        pChild->installEventFilter(this);
        m_Containers.insert(g, ChildContainer{pChild, pChild->objectName(), QImage()});
    } else {
        m_Containers.remove(g);
    }
    PaintAll();
}

void ExplorerBar::ExpandGroup(const Variant& Group, bool bExpand) {
    ExplorerGroup* group = GroupAt(GetGroupsByKeyN(Group));
    if (!group)
        return;
    group->Expanded = bExpand;
    PaintAll();
}

void ExplorerBar::SetGroupCaption(const Variant& Group, const QString& sNewCaption) {
    ExplorerGroup* group = GroupAt(GetGroupsByKeyN(Group));
    if (!group)
        return;
    group->Caption = sNewCaption;
    PaintAll();
}

template <typename Change> void ExplorerBar::ChangeItem(const Variant& Group, const Variant& Item, Change change) {
    const int g = GetGroupsByKeyN(Group);
    const QString missing = QStringLiteral("The Group '") + Group.toString() + QStringLiteral("' doesn't exist");
    if (g == -3) {
        ErrorBox(missing);
    } else if (g == -2) {
        ErrorBox(QStringLiteral("Details Group hasn't Child Items!"));
    } else if (ExplorerGroup* group = GroupAt(g)) {
        const int i = GetItemIndex(*group, Item);
        if (i >= 1) {
            change(group->Items[i]);
            PaintAll();
        }
    } else {
        ErrorBox(missing);
    }
}

void ExplorerBar::SetItemIcon(const Variant& Group, const Variant& Item, const Variant& iNewIcon, bool) {
    const int icon = GetIconIndex(iNewIcon);
    ChangeItem(Group, Item, [icon](ExplorerItem& item) { item.Icon = icon; });
}

void ExplorerBar::SetItemText(const Variant& Group, const Variant& Item, const QString& sNewCaption) {
    ChangeItem(Group, Item, [&sNewCaption](ExplorerItem& item) { item.Caption = sNewCaption; });
}

void ExplorerBar::DisableUpdates(bool bDisable) {
    m_UpdatesEnabled = !bDisable;
    PaintAll();
}

void ExplorerBar::SetDetailsImage(const QImage& detailsImage) {
    m_DetailsImage = detailsImage;
    PaintAll();
}

QString ExplorerBar::GetControlVersion() const {
    return QStringLiteral("1.91");
}

void ExplorerBar::SetFont(const QFont& newFont) {
    SetFontName(newFont.family());
}

QFont ExplorerBar::Font() const {
    return CurrentFont();
}

void ExplorerBar::SetUseUxThemeText(bool bNewUseUxThemeText) {
    m_UseUxThemeText = bNewUseUxThemeText;
    PaintAll();
}

Variant ExplorerBar::EnableAltImagelist(bool) {
    return Variant();
}

// ---------------------------------------------------------------- settings

void ExplorerBar::ReadProperties(const PropertyBag& bag) {
    SetFontName(bag.ReadProperty(QStringLiteral("FontName"), QStringLiteral("Verdana")).toString());
    if (bag.contains(QStringLiteral("FontCharset")))
        m_FontCharset = static_cast<int16_t>(bag.ReadProperty(QStringLiteral("FontCharset")).toInt());
    m_UseUxThemeText = bag.ReadProperty(QStringLiteral("UxThemeText"), true).toBool();
    m_EnableAltIml = bag.ReadProperty(QStringLiteral("EnableAltIml"), false).toBool();

    m_ThemeDrawRecord.hDC = &Surface();
    m_ThemeDrawRecord.hWnd = this;
    m_ThemeDrawRecord.DrawRect.Width = 120;
    m_ThemeDrawRecord.DrawRect.Height = 24;
    m_ThemeDrawRecord.TextFlags = DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS;

    SetAlign(this, vbAlignLeft);

    if (platform::AmbientUserMode(this) && !m_Subclassed) {
        m_Subclassed = m_Subclass.Subclass_Start(this);
        m_Subclass.Subclass_AddMsg(WM_THEMECHANGED, MSG_AFTER);
        m_Subclass.Subclass_AddMsg(WM_SYSCOLORCHANGE, MSG_AFTER);
        m_Subclass.Subclass_AddMsg(WM_MOUSEMOVE, MSG_AFTER);
        m_Subclass.Subclass_AddMsg(WM_CTLCOLORSCROLLBAR, MSG_BEFORE);
        m_Subclass.Subclass_AddMsg(WM_MOUSEWHEEL, MSG_AFTER);
        m_Subclass.Subclass_AddMsg(WM_MOUSELEAVE, MSG_AFTER);
        m_Subclass.Subclass_AddMsg(WM_MOUSEHOVER, MSG_AFTER);
    }
}

void ExplorerBar::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty(QStringLiteral("FontName"), m_FontName, QStringLiteral("Verdana"));
    bag.WriteProperty(QStringLiteral("FontCharset"), QVariant::fromValue<qint16>(m_FontCharset));
    bag.WriteProperty(QStringLiteral("UxThemeText"), m_UseUxThemeText, true);
}

// ---------------------------------------------------------------- window messages

void ExplorerBar::zSubclass_Proc(bool bBefore, bool&, int32_t&, int32_t&, int32_t& uMsg, int32_t& wParam, int32_t&) {
    switch (uMsg) {
    case WM_MOUSEWHEEL:
        if (m_ScrollBar->isHidden())
            break;
        // One notch with no key held; keys, several notches and finer wheels are not scrolling.
        if (wParam == 7864320)
            m_ScrollBar->setValue(std::max(m_ScrollBar->minimum(), m_ScrollBar->value() - 32));
        else if (wParam == -7864320)
            m_ScrollBar->setValue(std::min(m_ScrollBar->maximum(), m_ScrollBar->value() + 32));
        break;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        DoEvents();
        PaintAll();
        break;
    case WM_CTLCOLORSCROLLBAR:
        if (bBefore)
            uMsg = WM_NULL;
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- drawing state

// Every text measured or drawn asks for the font, and a look in the font
// database is slow: the family is looked up once, when the name is set.
void ExplorerBar::SetFontName(const QString& name) {
    // The same name is set by the constructor and again by the stored
    // properties; the answer for a name is kept for the program's run.
    static QHash<QString, QString> families;
    auto found = families.constFind(name);
    if (found == families.cend())
        found = families.insert(name, QFontDatabase::hasFamily(name) ? name : QStringLiteral("DejaVu Sans"));
    m_FontName = name;
    m_FontFamily = *found;
}

QFont ExplorerBar::CurrentFont() const {
    QFont f(m_FontFamily);
    f.setPixelSize(11);
    // Text is drawn over what is there without erasing first (a hovered
    // item's caption over its normal one); smoothed edges would darken with
    // every redraw, whole pixels cover exactly.
    f.setStyleStrategy(QFont::NoAntialias);
    f.setBold(m_FontBold);
    f.setUnderline(m_FontUnderline);
    return f;
}

DeviceContext ExplorerBar::Context(QImage* surface) const {
    DeviceContext dc;
    dc.surface = surface;
    dc.font = CurrentFont();
    dc.textColor = ToQColor(m_ForeColor);
    return dc;
}

void ExplorerBar::Redraw(QWidget* window, const RECT& r) {
    if (auto* backed = dynamic_cast<BackedWidget*>(window))
        backed->flush(r.toQRect());
    else if (window)
        window->update(r.toQRect());
}
