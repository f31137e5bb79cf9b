#include "windows/frmSysTray.h"

#include "platform/Clock.h"
#include "platform/IconHandles.h"
#include "platform/SystemVersion.h"
#include "platform/Ui.h"
#include "platform/ui/Menus.h"
#include "windows/Pictures.h"

#include <QAction>
#include <QMenu>

namespace {

constexpr uint32_t kCallbackMessage = platform::WM_MOUSEMOVE;

// Puts a text into a record field, cut to maxChars characters and then to
// what the field holds; an empty text leaves the field as it was.
template <std::size_t N> void copyText(uint8_t (&field)[N], const QString& text, int maxChars) {
    if (!text.isEmpty())
        platform::SetWideFieldText(field, N, text.left(maxChars));
}
template <std::size_t N> void copyText(char (&field)[N], const QString& text, int maxChars) {
    if (!text.isEmpty())
        platform::SetAnsiFieldText(field, N, text.left(maxChars));
}

void setCaption(QAction* item, const QString& caption) {
    const bool line = caption == QLatin1String("-");
    item->setSeparator(line);
    // A separator is drawn as a line; a text on it would be drawn beside it.
    item->setText(line ? QString() : caption);
}

} // namespace

frmSysTray::frmSysTray() : FormWidget(QStringLiteral("frmSysTray")) {
    setWindowIcon(ProgramIcon());
    mnuPopup = new QMenu(this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    // Element 0 of the item array exists from the start.
    newItem();
}

QString frmSysTray::ItemCaption(const QAction* item) {
    return item->isSeparator() ? QStringLiteral("-") : item->text();
}

QAction* frmSysTray::newItem() {
    QAction* item =
        platform::AddMenuEntry(mnuPopup, QString(), QStringLiteral("mnuSysTray"), static_cast<int>(mnuSysTray.size()));
    connect(item, &QAction::triggered, this, [this, item]() { itemChosen(item); });
    mnuSysTray.append(item);
    return item;
}

void frmSysTray::itemChosen(QAction* item) {
    const int32_t index = static_cast<int32_t>(mnuSysTray.indexOf(item));
    if (index >= 0)
        emit MenuClick(index, item->data().toString());
}

void frmSysTray::Form_Load() {
    const uint32_t version = platform::GetVersion();
    const bool nt = (version & 0x80000000u) == 0;
    const int major = static_cast<int>(version & 0xFF);
    const int minor = static_cast<int>((version >> 8) & 0xFF);
    m_wide = nt;
    m_balloons = (nt && major >= 5) || (!nt && major == 4 && minor == 90);

    const int32_t hwnd = platform::HandleOf(this);
    const int32_t icon = platform::IconHandleOf(windowIcon());
    m_wideRecord.hWnd = m_ansiRecord.hWnd = hwnd;
    m_wideRecord.uID = m_ansiRecord.uID = static_cast<uint32_t>(icon);
    m_wideRecord.uCallbackMessage = m_ansiRecord.uCallbackMessage = kCallbackMessage;
    m_wideRecord.hIcon = m_ansiRecord.hIcon = icon;
    setTip(QStringLiteral("Veltrane: your tasks, meetings, notes and passwords"));
    if (m_balloons)
        m_wideRecord.uTimeoutOrVersion = m_ansiRecord.uTimeoutOrVersion = 3;
    notify(platform::NIM_ADD, platform::NIF_MESSAGE | platform::NIF_ICON | platform::NIF_TIP);
    if (m_balloons)
        notify(platform::NIM_SETVERSION, platform::NIF_MESSAGE | platform::NIF_ICON | platform::NIF_TIP);
}

void frmSysTray::Form_Unload() {
    notify(platform::NIM_DELETE, 0);
}

uint32_t frmSysTray::recordSize() const {
    if (m_wide)
        return m_balloons ? sizeof(m_wideRecord) : platform::kNotifyIconWideFirstSize;
    return m_balloons ? sizeof(m_ansiRecord) : platform::kNotifyIconAnsiFirstSize;
}

void frmSysTray::notify(uint32_t message, uint32_t flags) {
    if (m_wide) {
        m_wideRecord.uFlags = flags;
        m_wideRecord.cbSize = recordSize();
        platform::Shell_NotifyIconW(message, m_wideRecord);
    } else {
        m_ansiRecord.uFlags = flags;
        m_ansiRecord.cbSize = recordSize();
        platform::Shell_NotifyIconA(message, m_ansiRecord);
    }
}

void frmSysTray::setTip(const QString& text) {
    const int maxChars = m_balloons ? 127 : 63;
    if (m_wide)
        copyText(m_wideRecord.szTip, text, maxChars);
    else
        copyText(m_ansiRecord.szTip, text, maxChars);
}

void frmSysTray::ShowBalloonTip(const QString& Prompt, const QString& Title, int32_t IconFlags, int32_t Timeout) {
    Load();
    if (!m_balloons)
        return;
    if (m_wide) {
        copyText(m_wideRecord.szInfo, Prompt, 255);
        copyText(m_wideRecord.szInfoTitle, Title, 63);
        m_wideRecord.uTimeoutOrVersion = static_cast<uint32_t>(Timeout);
        m_wideRecord.dwInfoFlags = static_cast<uint32_t>(IconFlags);
    } else {
        copyText(m_ansiRecord.szInfo, Prompt, 255);
        copyText(m_ansiRecord.szInfoTitle, Title, 63);
        m_ansiRecord.uTimeoutOrVersion = static_cast<uint32_t>(Timeout);
        m_ansiRecord.dwInfoFlags = static_cast<uint32_t>(IconFlags);
    }
    notify(platform::NIM_MODIFY, platform::NIF_INFO);
}

QString frmSysTray::ToolTip() {
    Load();
    return m_wide ? platform::WideFieldText(m_wideRecord.szTip, sizeof(m_wideRecord.szTip))
                  : platform::AnsiFieldText(m_ansiRecord.szTip, sizeof(m_ansiRecord.szTip));
}

void frmSysTray::SetToolTip(const QString& text) {
    Load();
    setTip(text);
    notify(platform::NIM_MODIFY, platform::NIF_TIP);
}

int32_t frmSysTray::IconHandle() {
    Load();
    return m_wide ? m_wideRecord.hIcon : m_ansiRecord.hIcon;
}

void frmSysTray::SetIconHandle(int32_t handle) {
    Load();
    if (handle == IconHandle())
        return;
    m_wideRecord.hIcon = m_ansiRecord.hIcon = handle;
    notify(platform::NIM_MODIFY, platform::NIF_ICON);
}

int16_t frmSysTray::AddMenuItem(const QString& Caption, const QString& Key, bool IsDefault) {
    Load();
    QAction* item = nullptr;
    if (!m_firstItemUsed) {
        m_firstItemUsed = true;
        item = mnuSysTray.first();
    } else {
        item = newItem();
    }
    item->setData(Key);
    setCaption(item, Caption);
    const auto index = static_cast<int16_t>(mnuSysTray.indexOf(item));
    if (IsDefault)
        SetDefaultMenuIndex(index);
    return index;
}

void frmSysTray::EnableMenuItem(int32_t Index, bool Enabled) {
    Load();
    if (validIndex(Index))
        mnuSysTray.at(Index)->setEnabled(Enabled);
}

void frmSysTray::RemoveMenuItem(int32_t Index) {
    Load();
    if (!validIndex(Index))
        return;
    if (Index == 0) {
        setCaption(mnuSysTray.first(), QString());
        return;
    }
    for (int32_t i = Index + 1; i < mnuSysTray.size(); ++i) {
        setCaption(mnuSysTray.at(i - 1), ItemCaption(mnuSysTray.at(i)));
        mnuSysTray.at(i - 1)->setData(mnuSysTray.at(i)->data());
    }
    QAction* last = mnuSysTray.takeLast();
    mnuPopup->removeAction(last);
    last->deleteLater();
}

int16_t frmSysTray::DefaultMenuIndex() {
    Load();
    return m_defaultIndex;
}

void frmSysTray::SetDefaultMenuIndex(int16_t index) {
    Load();
    m_defaultIndex = validIndex(index) ? index : 0;
    mnuPopup->setDefaultAction(mnuSysTray.at(m_defaultIndex));
}

void frmSysTray::ShowMenu() {
    Load();
    activateWindow();
    if (validIndex(m_defaultIndex))
        mnuPopup->setDefaultAction(mnuSysTray.at(m_defaultIndex));
    platform::PopupMenu(mnuPopup, platform::GetCursorPos());
}

bool frmSysTray::event(QEvent* e) {
    if (e->type() != platform::NotifyIconEvent::eventType())
        return FormWidget::event(e);
    const auto* n = static_cast<platform::NotifyIconEvent*>(e);
    if (n->message() != kCallbackMessage)
        return true;
    switch (n->notification()) {
    case platform::WM_MOUSEMOVE:
        emit SysTrayMouseMove();
        break;
    case platform::WM_LBUTTONDOWN:
        emit SysTrayMouseDown(1);
        break;
    case platform::WM_LBUTTONUP:
        emit SysTrayMouseUp(1);
        break;
    case platform::WM_LBUTTONDBLCLK:
        emit SysTrayDoubleClick(1);
        break;
    case platform::WM_RBUTTONDOWN:
        emit SysTrayMouseDown(2);
        break;
    case platform::WM_RBUTTONUP:
        emit SysTrayMouseUp(2);
        break;
    case platform::WM_RBUTTONDBLCLK:
        emit SysTrayDoubleClick(2);
        break;
    case platform::NIN_BALLOONSHOW:
        emit BalloonShow();
        break;
    case platform::NIN_BALLOONHIDE:
        emit BalloonHide();
        break;
    case platform::NIN_BALLOONTIMEOUT:
        emit BalloonTimeOut();
        break;
    case platform::NIN_BALLOONUSERCLICK:
        emit BalloonClicked();
        break;
    default:
        break;
    }
    return true;
}
