#pragma once

#include "platform/PropertyBag.h"
#include "platform/SysColors.h"
#include "platform/ui/BackedWidget.h"

#include <QFont>
#include <QRect>
#include <QRegion>
#include <QString>
#include <cstdint>

class QTimer;

// The organiser's own push button: a flat face in five looks (normal, hover
// ring, focus ring, pressed, disabled) with a dark-blue border and rounded
// corners. Every look is drawn onto the backing image by Redraw alone; hosts
// handle its Click and set its Caption.
class XPButton : public platform::BackedWidget {
    Q_OBJECT

public:
    explicit XPButton(QWidget* parent = nullptr);

    // Properties. Writes redraw (ForeHover excepted: its colour shows at the
    // next hover) and report the change through propertyChanged.
    bool Enabled() const { return m_Enabled; }
    void setEnabled(bool NewValue);
    QFont Font() const { return font(); }
    void setFont(const QFont& NewValue);
    QString Caption() const { return m_Caption; }
    void setCaption(const QString& NewValue);
    platform::OleColor ForeColor() const { return m_ForeColor; }
    void setForeColor(platform::OleColor NewValue);
    platform::OleColor ForeHover() const { return m_ForeHover; }
    void setForeHover(platform::OleColor NewValue);

    // The saved settings: a new instance takes the container's font, the
    // caption "Command" followed by the number of its default name, and is
    // enabled; a saved one reads its bag back.
    void InitProperties();
    void ReadProperties(const platform::PropertyBag& PropBag);
    void WriteProperties(platform::PropertyBag& PropBag);

    // The key that, with Alt, clicks the button: the lower-case character
    // after the caption's access-key mark, or empty.
    QString AccessKeys() const { return m_AccessKeys; }

    // Paints the look the state asks for: 0 ordinary, 1 pressed (shown only
    // when the last press was with the left button).
    void Redraw(int state);

    // Clicks an enabled button as its access key does: for its dialog's
    // Enter and Escape keys and for a screen reader's press action.
    void Press();

signals:
    // The events of the button. Their arguments are passed by reference, as
    // the host may change them, so connect to them directly.
    void Click();
    void MouseDown(int16_t& Button, int16_t& Shift, float& x, float& y);
    void MouseMove(int16_t& Button, int16_t& Shift, float& x, float& y);
    void MouseUp(int16_t& Button, int16_t& Shift, float& x, float& y);
    void KeyPress(int16_t& KeyAscii);
    void KeyDown(int16_t& KeyCode, int16_t& Shift);
    void KeyUp(int16_t& KeyCode, int16_t& Shift);
    void MouseEnter();
    void MouseLeave();
    // A saved property changed; the host saves the bag again.
    void propertyChanged(const QString& name);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void PropertyChanged(const QString& name) { emit propertyChanged(name); }
    void SetAccessKeys();
    void AccessKeyPress();
    void SurfaceClick();
    void HandleMouseDown(int16_t Button, int16_t Shift, float x, float y);
    void HoverTimerTick();
    bool PointerOverButton() const;
    void Refresh() { flush(); }

    void DrawNormal();
    void DrawHover();
    void DrawFocus();
    void DrawPressed();
    void DrawDisabled();
    void DrawBorder();
    void DrawCaption();
    void SetRoundRegion();

    bool m_Enabled = true;
    QString m_Caption;
    platform::OleColor m_ForeColor = 0;
    platform::OleColor m_ForeHover = 0;
    bool m_Hovering = false;
    bool m_MoveLatch = false;
    bool m_HasFocus = false;
    int16_t m_LastButton = 0;
    int16_t m_LastKeyCode = 0;
    int m_FaceWidth = 0;
    int m_FaceHeight = 0;
    QRect m_ClientRect;
    QRegion m_Region;
    QString m_AccessKeys;
    int m_AccessShortcut = 0;
    // Set by a press on the button, so the release that ends it is a click;
    // the release after a double click is not.
    bool m_PressStarted = false;
    QTimer* m_HoverTimer = nullptr;
};
