#include "WindowsFixture.h"

#include "windows/frmSysTray.h"

using namespace fixture;

class SysTrayTest : public WindowsTest {
protected:
    frmSysTray& tray = platform::Forms::Get<frmSysTray>();
    std::optional<platform::NotifyIconState> icon() {
        return platform::FindNotifyIcon(platform::HandleOf(&tray), tray.iconId());
    }
    QStringList items() {
        QStringList out;
        for (QAction* a : tray.mnuSysTray)
            out << frmSysTray::ItemCaption(a) + QLatin1Char('=') + a->data().toString();
        return out;
    }
};

TEST_F(SysTrayTest, LoadAddsTheIconWithTheWideRecordAndVersion3) {
    platform::ClearNotifyIconCalls();
    tray.AddMenuItem(QStringLiteral("Show"), QStringLiteral("show"));
    EXPECT_TRUE(tray.usesWideRecord());
    EXPECT_TRUE(tray.hasBalloons());
    const auto calls = platform::NotifyIconCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].message, platform::NIM_ADD);
    EXPECT_EQ(calls[0].flags, 7u);
    EXPECT_EQ(calls[1].message, platform::NIM_SETVERSION);
    ASSERT_TRUE(icon().has_value());
    EXPECT_EQ(icon()->version, 3u);
    EXPECT_EQ(icon()->callbackMessage, 512u);
    EXPECT_FALSE(icon()->tip.isEmpty());
}

TEST_F(SysTrayTest, TipIsCutAndASameIconMakesNoCall) {
    tray.SetToolTip(QString(200, QLatin1Char('x')));
    EXPECT_EQ(tray.ToolTip(), QString(127, QLatin1Char('x')));
    EXPECT_EQ(icon()->tip, QString(127, QLatin1Char('x')));
    // An empty text leaves the field as it was.
    tray.SetToolTip(QString());
    EXPECT_EQ(tray.ToolTip(), QString(127, QLatin1Char('x')));

    platform::ClearNotifyIconCalls();
    tray.SetIconHandle(tray.IconHandle());
    EXPECT_TRUE(platform::NotifyIconCalls().empty());
    tray.SetIconHandle(tray.IconHandle() + 4);
    ASSERT_EQ(platform::NotifyIconCalls().size(), 1u);
    EXPECT_EQ(platform::NotifyIconCalls()[0].flags, 2u);

    tray.ShowBalloonTip(QString(300, QLatin1Char('b')), QString(80, QLatin1Char('t')), 1, 1000);
    EXPECT_EQ(icon()->balloonText.size(), 255);
    EXPECT_EQ(icon()->balloonTitle.size(), 63);
}

TEST_F(SysTrayTest, MenuItemsAddRemoveAndDefault) {
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(tray.AddMenuItem(QStringLiteral("Item %1").arg(i), QStringLiteral("k%1").arg(i)), i);
    tray.RemoveMenuItem(2);
    EXPECT_EQ(items(), (QStringList{"Item 0=k0", "Item 1=k1", "Item 3=k3", "Item 4=k4"}));
    tray.RemoveMenuItem(0);
    EXPECT_EQ(items().first(), QStringLiteral("=k0"));
    tray.RemoveMenuItem(7);
    EXPECT_EQ(items().size(), 4);

    tray.SetDefaultMenuIndex(3);
    EXPECT_EQ(tray.DefaultMenuIndex(), 3);
    tray.SetDefaultMenuIndex(9);
    EXPECT_EQ(tray.DefaultMenuIndex(), 0);
    tray.EnableMenuItem(1, false);
    EXPECT_FALSE(tray.mnuSysTray.at(1)->isEnabled());
    tray.EnableMenuItem(12, false);

    QList<QPair<int, QString>> clicks;
    QObject::connect(&tray, &frmSysTray::MenuClick, [&](int32_t index, const QString& key) {
        clicks.append({index, key});
    });
    tray.mnuSysTray.at(3)->trigger();
    EXPECT_EQ(clicks, (QList<QPair<int, QString>>{{3, QStringLiteral("k4")}}));
}

TEST_F(SysTrayTest, NotificationsBecomeEventsInOrder) {
    tray.AddMenuItem(QStringLiteral("Show"), QStringLiteral("show"));
    QStringList events;
    QObject::connect(&tray, &frmSysTray::SysTrayMouseDown, [&](int b) { events << QStringLiteral("down%1").arg(b); });
    QObject::connect(&tray, &frmSysTray::SysTrayMouseUp, [&](int b) { events << QStringLiteral("up%1").arg(b); });
    QObject::connect(&tray, &frmSysTray::SysTrayDoubleClick,
                     [&](int b) { events << QStringLiteral("double%1").arg(b); });
    QObject::connect(&tray, &frmSysTray::BalloonShow, [&]() { events << QStringLiteral("balloon shown"); });
    QObject::connect(&tray, &frmSysTray::BalloonClicked, [&]() { events << QStringLiteral("balloon clicked"); });
    const int32_t window = platform::HandleOf(&tray);
    platform::NotifyIconActivated(window, tray.iconId(), QSystemTrayIcon::Trigger);
    platform::NotifyIconActivated(window, tray.iconId(), QSystemTrayIcon::Context);
    platform::NotifyIconActivated(window, tray.iconId(), QSystemTrayIcon::DoubleClick);
    tray.ShowBalloonTip(QStringLiteral("Hello"), QStringLiteral("Title"), 1, 3000);
    platform::NotifyIconBalloonClicked(window, tray.iconId());
    drain();
    EXPECT_EQ(events,
              (QStringList{"down1", "up1", "down2", "up2", "double1", "up1", "balloon shown", "balloon clicked"}));
}
