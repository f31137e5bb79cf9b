#pragma once

#include "platform/ui/NotifyIcon.h"
#include "windows/FormBase.h"

#include <QList>
#include <QString>
#include <cstdint>

class QAction;
class QMenu;

// The hidden window behind the program's icon in the notification area: it
// puts the icon there, keeps its tip and picture, shows balloon tips, owns the
// icon's pop-up menu and turns the desktop's notifications into events.
class frmSysTray : public FormWidget {
    Q_OBJECT
public:
    frmSysTray();

    void ShowBalloonTip(const QString& Prompt, const QString& Title, int32_t IconFlags, int32_t Timeout);
    QString ToolTip();
    void SetToolTip(const QString& text);
    int32_t IconHandle();
    void SetIconHandle(int32_t handle);
    int16_t AddMenuItem(const QString& Caption, const QString& Key, bool IsDefault = false);
    // An item's caption as given to AddMenuItem ("-" for a separator).
    static QString ItemCaption(const QAction* item);
    void EnableMenuItem(int32_t Index, bool Enabled);
    void RemoveMenuItem(int32_t Index);
    int16_t DefaultMenuIndex();
    void SetDefaultMenuIndex(int16_t index);
    void ShowMenu();

    // The pop-up menu's hidden root and its items; each item's key travels
    // in its data.
    QMenu* mnuPopup = nullptr;
    QList<QAction*> mnuSysTray;

    // What the icon was given at load: which record layout, and whether the
    // desktop shows balloons.
    bool usesWideRecord() const { return m_wide; }
    bool hasBalloons() const { return m_balloons; }
    // The identifier of the icon in the notification area.
    uint32_t iconId() const { return m_wideRecord.uID; }

signals:
    void SysTrayMouseDown(int Button);
    void SysTrayMouseUp(int Button);
    void SysTrayMouseMove();
    void SysTrayDoubleClick(int Button);
    void MenuClick(int32_t Index, const QString& Key);
    void BalloonShow();
    void BalloonHide();
    void BalloonTimeOut();
    void BalloonClicked();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    bool event(QEvent* e) override;

private:
    bool validIndex(int32_t index) const { return index >= 0 && index < mnuSysTray.size(); }
    uint32_t recordSize() const;
    // Sends the record the flags select with one of the shell's messages.
    void notify(uint32_t message, uint32_t flags);
    void setTip(const QString& text);
    QAction* newItem();
    void itemChosen(QAction* item);

    bool m_wide = true;
    bool m_balloons = true;
    bool m_firstItemUsed = false;
    int16_t m_defaultIndex = 0;
    platform::NotifyIconWideRecord m_wideRecord;
    platform::NotifyIconAnsiRecord m_ansiRecord;
};
