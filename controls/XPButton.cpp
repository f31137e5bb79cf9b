#include "controls/XPButton.h"

#include "controls/ControlsAccessible.h"
#include "platform/Clock.h"
#include "platform/Gdi.h"
#include "platform/ui/Ambient.h"
#include "platform/ui/InputCodes.h"
#include "platform/ui/MouseCapture.h"
#include "platform/ui/Regions.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <cmath>

using platform::OleColor;
using platform::RGB;

namespace {

// The surface's own text colour until a host or a saved bag sets one: the
// system's button-text colour, by reference.
constexpr OleColor kDefaultForeColor = static_cast<OleColor>(0x80000000u | platform::COLOR_BTNTEXT);

// Drawing on the backing image in the control's pixel units. A line on row y
// covers x1..x2 inclusive; whatever falls outside the image is cut off.
class Canvas {
public:
    explicit Canvas(QImage& image) : m_image(image) {}

    void pixel(int x, int y, OleColor c) { platform::SetSurfacePixel(m_image, x, y, platform::ToQColor(c).rgb()); }
    void row(int y, int x1, int x2, OleColor c) {
        for (int x = x1; x <= x2; ++x)
            pixel(x, y, c);
    }
    // A stroke two pixels wide from (x, y) to (x, y + 1), end point excluded:
    // the pixels x - 1 and x of row y.
    void band2(int x, int y, OleColor c) {
        pixel(x - 1, y, c);
        pixel(x, y, c);
    }
    // A line four pixels wide from (x1, y) towards (x2, y), end point
    // excluded: rows y - 2 to y + 1.
    void band4(int y, int x1, int x2, OleColor c) {
        for (int r = y - 2; r <= y + 1; ++r)
            row(r, x1, x2 - 1, c);
    }
    void fill(OleColor c) { m_image.fill(platform::ToQColor(c)); }
    // The one-pixel outline of the client rectangle (W x H).
    void frame(int w, int h, OleColor c) {
        row(0, 0, w - 1, c);
        row(h - 1, 0, w - 1, c);
        for (int y = 0; y < h; ++y) {
            pixel(0, y, c);
            pixel(w - 1, y, c);
        }
    }

private:
    QImage& m_image;
};

// A colour that steps down by fixed amounts after each row while its blue is
// at least a threshold, then stays: the faces' gradients and rings.
struct Ramp {
    int r, g, b;
    int dr, dg, db;
    int minBlue;
    OleColor colour() const { return RGB(r, g, b); }
    void step() {
        if (b >= minBlue) {
            r -= dr;
            g -= dg;
            b -= db;
        }
    }
};

int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

XPButton::XPButton(QWidget* parent) : platform::BackedWidget(parent) {
    InstallControlsAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setSurfaceFill(platform::ToQColor(platform::GetSysColor(platform::COLOR_WINDOW)));
    m_ForeColor = kDefaultForeColor;
    m_HoverTimer = new QTimer(this);
    m_HoverTimer->setInterval(1);
    connect(m_HoverTimer, &QTimer::timeout, this, &XPButton::HoverTimerTick);
    InitProperties();
}

// ---- properties ------------------------------------------------------------

void XPButton::setEnabled(bool NewValue) {
    m_Enabled = NewValue;
    PropertyChanged(QStringLiteral("Enabled"));
    QWidget::setEnabled(NewValue);
    Redraw(0);
}

void XPButton::setFont(const QFont& NewValue) {
    QWidget::setFont(NewValue); // the font change redraws
    PropertyChanged(QStringLiteral("Font"));
}

void XPButton::setCaption(const QString& NewValue) {
    m_Caption = NewValue;
    Redraw(0);
    SetAccessKeys();
    PropertyChanged(QStringLiteral("Caption"));
}

void XPButton::setForeColor(OleColor NewValue) {
    m_ForeColor = NewValue;
    Redraw(0);
    PropertyChanged(QStringLiteral("ForeColor"));
}

void XPButton::setForeHover(OleColor NewValue) {
    m_ForeHover = NewValue;
    PropertyChanged(QStringLiteral("ForeHover"));
}

void XPButton::InitProperties() {
    QWidget::setFont(platform::AmbientFont(this));
    // Default names are "XPButton" and a number; the caption keeps the number.
    m_Caption = QStringLiteral("Command") + platform::AmbientDisplayName(this, QStringLiteral("XPButton")).mid(8);
    m_Enabled = true;
    QWidget::setEnabled(true);
    SetAccessKeys();
    if (isVisible())
        Redraw(0);
}

void XPButton::ReadProperties(const platform::PropertyBag& PropBag) {
    m_Enabled = PropBag.ReadProperty(QStringLiteral("Enabled"), true).toBool();
    QWidget::setFont(PropBag.ReadProperty(QStringLiteral("Font"), platform::AmbientFont(this)).value<QFont>());
    m_Caption =
        PropBag.ReadProperty(QStringLiteral("Caption"), platform::AmbientDisplayName(this, QStringLiteral("XPButton")))
            .toString();
    m_ForeColor = PropBag.ReadProperty(QStringLiteral("ForeColor"), platform::AmbientForeColor(this)).toInt();
    m_ForeHover = PropBag.ReadProperty(QStringLiteral("ForeHover"), m_ForeColor).toInt();
    QWidget::setEnabled(m_Enabled);
    SetAccessKeys();
    if (isVisible())
        Redraw(0);
}

void XPButton::WriteProperties(platform::PropertyBag& PropBag) {
    PropBag.WriteProperty(QStringLiteral("Enabled"), m_Enabled, true);
    PropBag.WriteProperty(QStringLiteral("Font"), font(), platform::AmbientFont(this));
    PropBag.WriteProperty(QStringLiteral("Caption"), m_Caption,
                          platform::AmbientDisplayName(this, QStringLiteral("XPButton")));
    PropBag.WriteProperty(QStringLiteral("ForeColor"), m_ForeColor);
    PropBag.WriteProperty(QStringLiteral("ForeHover"), m_ForeHover, platform::AmbientForeColor(this));
}

void XPButton::SetAccessKeys() {
    m_AccessKeys.clear();
    const QString& c = m_Caption;
    const QChar amp(QLatin1Char('&'));
    if (c.size() >= 2) {
        const qsizetype p = c.indexOf(amp);
        if (p >= 0 && p < c.size() - 1) {
            if (c.at(p + 1) != amp) {
                m_AccessKeys = c.at(p + 1).toLower();
            } else {
                // "&&" is a literal ampersand; the mark may come after it.
                const qsizetype q = c.indexOf(amp, p + 2);
                if (q >= 0 && !(q + 1 < c.size() && c.at(q + 1) == amp))
                    m_AccessKeys = q + 1 < c.size() ? QString(c.at(q + 1).toLower()) : QString();
            }
        }
    }
    if (m_AccessShortcut) {
        releaseShortcut(m_AccessShortcut);
        m_AccessShortcut = 0;
    }
    if (!m_AccessKeys.isEmpty()) {
        const auto key = static_cast<Qt::Key>(m_AccessKeys.at(0).toUpper().unicode());
        m_AccessShortcut = grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, key)));
    }
}

void XPButton::AccessKeyPress() {
    m_LastButton = 1;
    SurfaceClick();
}

void XPButton::Press() {
    if (m_Enabled)
        AccessKeyPress();
}

// ---- events ----------------------------------------------------------------

bool XPButton::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(e);
        if (m_AccessShortcut && se->shortcutId() == m_AccessShortcut) {
            AccessKeyPress();
            return true;
        }
    }
    return BackedWidget::event(e);
}

void XPButton::changeEvent(QEvent* e) {
    BackedWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        Redraw(0);
    } else if (e->type() == QEvent::EnabledChange) {
        // A host may switch the widget itself; the property follows. A disabled
        // container only stops the input, as it leaves the property alone.
        const bool own = !testAttribute(Qt::WA_ForceDisabled);
        if (own != m_Enabled) {
            m_Enabled = own;
            PropertyChanged(QStringLiteral("Enabled"));
            Redraw(0);
        }
    }
}

void XPButton::showEvent(QShowEvent* e) {
    BackedWidget::showEvent(e);
    Redraw(0);
}

void XPButton::resizeEvent(QResizeEvent* e) {
    BackedWidget::resizeEvent(e);
    m_ClientRect = rect();
    m_FaceWidth = m_ClientRect.width();
    m_FaceHeight = m_ClientRect.height();
    Redraw(0);
}

void XPButton::HandleMouseDown(int16_t Button, int16_t Shift, float x, float y) {
    if (!m_Enabled)
        return;
    QPointer<XPButton> self(this);
    emit MouseDown(Button, Shift, x, y);
    if (!self)
        return;
    m_LastButton = Button;
    Refresh();
    platform::DoEvents();
    if (self)
        Redraw(1);
}

void XPButton::mousePressEvent(QMouseEvent* e) {
    m_PressStarted = true;
    HandleMouseDown(platform::ButtonMask(e->button()), platform::ShiftMask(e->modifiers()),
                    static_cast<float>(e->position().x()), static_cast<float>(e->position().y()));
}

void XPButton::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        mousePressEvent(e);
        return;
    }
    m_PressStarted = false;
    if (m_LastButton != 1)
        return;
    QPointer<XPButton> self(this);
    HandleMouseDown(1, 0, 0.0f, 0.0f);
    // The release that ends the double click must come back here, wherever
    // the pointer is by then.
    if (self)
        platform::SetCapture(this);
}

void XPButton::mouseReleaseEvent(QMouseEvent* e) {
    int16_t Button = platform::ButtonMask(e->button());
    int16_t Shift = platform::ShiftMask(e->modifiers());
    float x = static_cast<float>(e->position().x());
    float y = static_cast<float>(e->position().y());
    const bool click = m_PressStarted && rect().contains(e->position().toPoint());
    m_PressStarted = false;
    if (platform::GetCapture() == this)
        platform::ReleaseCapture();
    QPointer<XPButton> self(this);
    emit MouseUp(Button, Shift, x, y);
    if (!self)
        return;
    Redraw(0);
    Refresh();
    if (click)
        SurfaceClick();
}

void XPButton::SurfaceClick() {
    if (m_LastButton != 1)
        return;
    Redraw(0);
    Refresh();
    emit Click();
}

bool XPButton::PointerOverButton() const {
    return platform::WindowFromPoint(platform::GetCursorPos()) == this;
}

void XPButton::mouseMoveEvent(QMouseEvent* e) {
    int16_t Button = platform::ButtonMask(e->buttons());
    int16_t Shift = platform::ShiftMask(e->modifiers());
    float x = static_cast<float>(e->position().x());
    float y = static_cast<float>(e->position().y());
    if (Button >= 2) {
        emit MouseMove(Button, Shift, x, y);
        return;
    }
    if (!PointerOverButton()) {
        if (!m_MoveLatch)
            return;
        Redraw(0);
        emit MouseMove(Button, Shift, x, y);
        return;
    }
    if (m_MoveLatch)
        return;
    m_MoveLatch = true;
    if (Button == 0 && !m_Hovering) {
        m_HoverTimer->start();
        m_Hovering = true;
        m_MoveLatch = false;
        Redraw(0);
        QPointer<XPButton> self(this);
        emit MouseEnter();
        if (!self)
            return;
    } else if (Button == 1) {
        m_Hovering = true;
        Redraw(1);
        m_Hovering = false;
    }
    emit MouseMove(Button, Shift, x, y);
}

void XPButton::HoverTimerTick() {
    if (PointerOverButton())
        return;
    m_HoverTimer->stop();
    m_Hovering = false;
    m_MoveLatch = false;
    Redraw(0);
    emit MouseLeave();
}

void XPButton::keyPressEvent(QKeyEvent* e) {
    int16_t KeyCode = platform::VirtualKeyCode(e);
    int16_t Shift = platform::ShiftMask(e->modifiers());
    e->accept();
    m_LastKeyCode = KeyCode;
    switch (KeyCode) {
    case platform::VK_SPACE:
    case platform::VK_RETURN:
        Redraw(1);
        break;
    case platform::VK_LEFT:
    case platform::VK_RIGHT:
        focusNextPrevChild(true);
        break;
    case platform::VK_UP:
    case platform::VK_DOWN:
        focusNextPrevChild(false);
        break;
    default:
        break;
    }
    QPointer<XPButton> self(this);
    emit KeyDown(KeyCode, Shift);
    // Characters typed with Alt are menu and access keys, not typing.
    if (self && !e->text().isEmpty() && !(e->modifiers() & Qt::AltModifier)) {
        int16_t KeyAscii = static_cast<int16_t>(e->text().at(0).unicode());
        emit KeyPress(KeyAscii);
    }
}

void XPButton::keyReleaseEvent(QKeyEvent* e) {
    e->accept();
    // A held key repeats its press only, as the organiser's keyboard did.
    if (e->isAutoRepeat())
        return;
    int16_t KeyCode = platform::VirtualKeyCode(e);
    int16_t Shift = platform::ShiftMask(e->modifiers());
    if ((KeyCode == platform::VK_RETURN && m_LastKeyCode == platform::VK_RETURN) ||
        (KeyCode == platform::VK_SPACE && m_LastKeyCode == platform::VK_SPACE)) {
        Redraw(0);
        m_LastButton = 1;
        Refresh();
        QPointer<XPButton> self(this);
        emit Click();
        if (!self)
            return;
    }
    emit KeyUp(KeyCode, Shift);
}

void XPButton::focusInEvent(QFocusEvent* e) {
    BackedWidget::focusInEvent(e);
    m_HasFocus = true;
    if (m_Enabled) {
        m_LastButton = 1;
        Refresh();
        Redraw(0);
    }
}

void XPButton::focusOutEvent(QFocusEvent* e) {
    BackedWidget::focusOutEvent(e);
    m_HasFocus = false;
    Redraw(0);
}

// ---- faces -----------------------------------------------------------------

void XPButton::Redraw(int state) {
    if (!m_Enabled) {
        DrawDisabled();
    } else if (state == 1 && m_LastButton == 1) {
        DrawPressed();
        DrawBorder();
    } else {
        DrawNormal();
        if (m_Hovering)
            DrawHover();
        else if (m_HasFocus)
            DrawFocus();
        DrawBorder();
    }
    DrawCaption();
    SetRoundRegion();
    flush();
}

void XPButton::DrawNormal() {
    const int W = m_FaceWidth, H = m_FaceHeight;
    Canvas c(surface());
    c.fill(platform::GetSysColor(platform::COLOR_WINDOW));
    Ramp face{255, 255, 253, 1, 1, 1, 230};
    for (int y = 3; y <= H - 3; ++y, face.step())
        c.row(y, 0, W - 2, face.colour());
    c.row(H - 2, 0, W - 2, RGB(214, 208, 197));
    c.row(H - 3, 0, W - 2, RGB(226, 223, 214));
    c.row(H - 4, 0, W - 2, RGB(236, 235, 230));
}

void XPButton::DrawHover() {
    const int W = m_FaceWidth, H = m_FaceHeight;
    Canvas c(surface());
    c.row(1, 2, W - 3, RGB(255, 240, 207));
    c.row(2, 1, W - 2, RGB(253, 216, 137));
    Ramp outer{254, 223, 154, 1, 3, 7, 49};
    for (int y = 2; y <= H - 3; ++y, outer.step()) {
        c.pixel(1, y, outer.colour());
        c.pixel(W - 2, y, outer.colour());
    }
    Ramp inner{252, 210, 121, 1, 4, 8, 57};
    for (int y = 3; y <= H - 3; ++y, inner.step()) {
        c.pixel(2, y, inner.colour());
        c.pixel(W - 3, y, inner.colour());
    }
    c.row(H - 3, 3, W - 2, inner.colour());
    c.row(H - 2, 2, W - 3, RGB(229, 151, 0));
}

void XPButton::DrawFocus() {
    const int W = m_FaceWidth, H = m_FaceHeight;
    Canvas c(surface());
    c.row(1, 2, W - 3, RGB(206, 231, 251));
    c.row(2, 1, W - 2, RGB(188, 212, 246));
    Ramp bands{186, 211, 246, 4, 3, 1, 228};
    for (int y = 3; y <= H - 4; ++y, bands.step()) {
        c.band2(2, y, bands.colour());
        c.band2(W - 2, y, bands.colour());
    }
    c.row(H - 3, 1, W - 3, bands.colour());
    c.pixel(2, H - 2, RGB(77, 125, 193));
    c.row(H - 2, 3, W - 4, RGB(97, 125, 229));
    c.pixel(W - 3, H - 2, RGB(77, 125, 193));
}

void XPButton::DrawPressed() {
    const int W = m_FaceWidth, H = m_FaceHeight;
    Canvas c(surface());
    c.fill(platform::GetSysColor(platform::COLOR_WINDOW));
    Ramp body{226, 225, 218, 1, 1, 1, 218};
    for (int y = 3; y <= H - 2; y += 4, body.step())
        c.band4(y, 0, W - 1, body.colour());
    c.row(1, 0, W - 2, RGB(209, 204, 192));
    c.row(2, 0, W - 2, RGB(220, 216, 207));
    c.row(H - 3, 0, W - 2, RGB(234, 233, 227));
    c.row(H - 2, 0, W - 2, RGB(242, 241, 238));
}

void XPButton::DrawDisabled() {
    const int W = m_FaceWidth, H = m_FaceHeight;
    Canvas c(surface());
    c.fill(platform::GetSysColor(platform::COLOR_WINDOW));
    for (int y = 0; y < H; ++y)
        c.row(y, 0, W - 1, RGB(245, 244, 234));
    c.frame(W, H, RGB(201, 199, 186));
    const OleColor dark = RGB(216, 213, 199), pale = RGB(234, 233, 222);
    c.pixel(0, 1, dark), c.pixel(1, 1, dark), c.pixel(1, 0, dark);
    c.pixel(1, 2, pale), c.pixel(2, 1, pale);
    c.pixel(W - 2, 0, dark), c.pixel(W - 2, 1, dark), c.pixel(W - 1, 1, dark);
    c.pixel(W - 3, 1, pale), c.pixel(W - 2, 2, pale);
    c.pixel(0, H - 2, dark), c.pixel(1, H - 2, dark), c.pixel(1, H - 1, dark);
    c.pixel(1, H - 3, pale), c.pixel(2, H - 2, pale);
    c.pixel(W - 1, H - 2, dark), c.pixel(W - 2, H - 2, dark), c.pixel(W - 2, H - 1, dark);
    c.pixel(W - 2, H - 3, pale), c.pixel(W - 3, H - 2, pale);
}

void XPButton::DrawBorder() {
    const int W = m_FaceWidth, H = m_FaceHeight;
    Canvas c(surface());
    c.frame(W, H, RGB(0, 60, 116));
    const OleColor light = RGB(122, 149, 168), dark = RGB(37, 87, 131);
    c.pixel(0, 1, light), c.pixel(1, 0, light), c.pixel(1, 1, dark);
    c.pixel(W - 2, 0, light), c.pixel(W - 1, 1, light), c.pixel(W - 2, 1, dark);
    c.pixel(0, H - 2, light), c.pixel(1, H - 1, light), c.pixel(1, H - 2, dark);
    c.pixel(W - 1, H - 2, light), c.pixel(W - 2, H - 1, light), c.pixel(W - 2, H - 2, dark);
}

void XPButton::DrawCaption() {
    QImage& image = surface();
    // Fonts are sized in points: the image must know the screen's resolution.
    image.setDotsPerMeterX(static_cast<int>(std::lround(logicalDpiX() / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(logicalDpiY() / 0.0254)));
    OleColor colour = m_ForeColor;
    if (!m_Enabled)
        colour = RGB(161, 161, 146);
    else if (m_Hovering)
        colour = m_ForeHover;
    // The caption is drawn without smoothing, in the text colour alone, as the
    // organiser's screens drew small text.
    QFont f = font();
    f.setStyleStrategy(QFont::NoAntialias);
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
    const int h = QFontMetrics(f, &image).boundingRect(m_ClientRect, flags, m_Caption).height();
    const QSize size = platform::SurfaceSize(image);
    const double scaleWidth = size.width(), scaleHeight = size.height();
    const int top = RoundHalfEven(scaleHeight / 2 - h / 2.0);
    const int bottom = RoundHalfEven(scaleHeight / 2 + h / 2.0);
    QPainter p(&image);
    p.setFont(f);
    p.setPen(platform::ToQColor(platform::OleTranslateColor(colour)));
    p.drawText(QRect(QPoint(0, top), QPoint(static_cast<int>(scaleWidth) - 1, bottom - 1)), flags, m_Caption);
}

void XPButton::SetRoundRegion() {
    const int W = m_FaceWidth, H = m_FaceHeight;
    QRegion region(0, 0, W, H);
    region -= QRegion(0, 0, 1, 1);
    region -= QRegion(0, H - 1, 1, 1);
    region -= QRegion(W - 1, 0, 1, 1);
    region -= QRegion(W - 1, H - 1, 1, 1);
    m_Region = region;
    platform::SetWindowRgn(this, m_Region, true);
}
