#include "WindowsFixture.h"

#include "EventLoop.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "windows/frmSysTray.h"

#include <QDialog>

class TrayAndLaterStartTest : public WindowsTest {
protected:
    void minimise(frmMain& main) {
        main.setWindowState(Qt::WindowMinimized);
        fixture::drain();
    }
    static std::optional<platform::NotifyIconState> icon(frmMain& main) {
        return platform::FindNotifyIcon(platform::HandleOf(main.oSysTray), main.oSysTray->iconId());
    }
};

TEST_F(TrayAndLaterStartTest, ATrayThatComesLaterGetsTheIconAndOnlyThenTakesTheWindow) {
    tray.set(false);
    frmMain& main = openMain();
    minimise(main);
    EXPECT_TRUE(main.isVisible()) << "no tray: the window stays on the task bar";
    ASSERT_NE(main.oSysTray, nullptr);
    EXPECT_FALSE(icon(main)->shownInTray);

    // The tray has come, but the icon is not in it yet: the window stays, or
    // nothing would bring it back.
    main.showNormal();
    tray.set(true);
    minimise(main);
    EXPECT_TRUE(main.isVisible());

    main.showNormal();
    ASSERT_TRUE(testsupport::RunEventsUntil([&] { return icon(main)->shownInTray; }, 5000))
        << "the icon goes into a tray that appears, without waiting for a minimise";
    EXPECT_EQ(icon(main)->tip, QStringLiteral("Veltrane 1.0.0"));
    // While a window waits for an answer the icon takes no clicks: the
    // window stays on the task bar.
    {
        QDialog question(&main);
        question.setModal(true);
        question.show();
        minimise(main);
        EXPECT_TRUE(main.isVisible());
        question.hide();
        main.showNormal();
    }
    minimise(main);
    EXPECT_FALSE(main.isVisible());
    platform::NotifyIconActivated(platform::HandleOf(main.oSysTray), main.oSysTray->iconId(),
                                  QSystemTrayIcon::DoubleClick);
    fixture::drain();
    EXPECT_TRUE(main.isVisible());
}

TEST_F(TrayAndLaterStartTest, TheFirstTrayEntryFollowsTheWindowAndADoubleClickAlwaysShowsIt) {
    enum Step { Minimise, TrayEntry, DoubleClick, LaterStart, Restore };
    const char* const stepNames[] = {"minimise", "tray entry", "double click", "later start", "restore"};
    struct Case {
        const char* how;
        std::vector<Step> steps;
    };
    // Every sequence starts with the window on the screen and its icon in the
    // tray; each step flips whether the window is shown.
    const Case cases[] = {
        {"minimise and double click, round after round",
         {Minimise, DoubleClick, Minimise, DoubleClick, Minimise, DoubleClick}},
        {"the tray entry hides, a double click shows", {Minimise, DoubleClick, TrayEntry, DoubleClick, TrayEntry}},
        {"a double click on the shown window hides it", {Minimise, DoubleClick, DoubleClick, TrayEntry}},
        {"a later start shows, then minimise and the entry", {Minimise, LaterStart, Minimise, TrayEntry, Minimise}},
        {"shown again without the tray", {Minimise, Restore, Minimise, DoubleClick}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        frmMain& main = openMain();
        bool shown = true;
        for (Step step : c.steps) {
            switch (step) {
            case Minimise:
                minimise(main);
                break;
            case TrayEntry:
                main.oSysTray_MenuClick(0, QStringLiteral("show"));
                break;
            case DoubleClick:
                platform::NotifyIconActivated(platform::HandleOf(main.oSysTray), main.oSysTray->iconId(),
                                              QSystemTrayIcon::DoubleClick);
                fixture::drain();
                break;
            case LaterStart:
                ASSERT_TRUE(platform::AskRunningCopyToShow(platform::AppPath()));
                testsupport::RunEventsUntil([&] { return main.isVisible(); });
                break;
            case Restore:
                main.showNormal();
                break;
            }
            shown = !shown;
            SCOPED_TRACE(stepNames[step]);
            EXPECT_EQ(main.isVisible() && !main.isMinimized(), shown);
            EXPECT_EQ(main.oSysTray->mnuSysTray.first()->text(),
                      shown ? QStringLiteral("Hide") : QStringLiteral("Show"));
        }
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
    }
}

TEST_F(TrayAndLaterStartTest, ALaterStartBringsTheWindowForwardHoweverItWaits) {
    struct Case {
        const char* how;
        bool tray;
    };
    for (const Case& c : {Case{"hidden in the tray", true}, Case{"minimised on the task bar", false}}) {
        SCOPED_TRACE(c.how);
        tray.set(c.tray);
        frmMain& main = openMain();
        minimise(main);
        ASSERT_EQ(main.isVisible(), !c.tray);
        ASSERT_TRUE(platform::AskRunningCopyToShow(platform::AppPath()));
        EXPECT_TRUE(testsupport::RunEventsUntil([&] { return main.isVisible() && !main.isMinimized(); }));
        if (c.tray) {
            EXPECT_EQ(main.oSysTray->mnuSysTray.first()->text(), QStringLiteral("Hide"));
        }
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
    }
}

TEST_F(TrayAndLaterStartTest, ASecondCopyAsksTheFirstToShowUnlessStartedForTheTray) {
    for (const char* command : {"", "/s"}) {
        SCOPED_TRACE(command);
        platform::SingleInstanceLock first(platform::AppPath());
        ASSERT_TRUE(first.tryLock());
        platform::InstanceChannel firstsLine(platform::AppPath());
        ASSERT_TRUE(firstsLine.listen());
        int asked = 0;
        QObject::connect(&firstsLine, &platform::InstanceChannel::showRequested, [&] { ++asked; });

        EXPECT_THROW(mMain::Main(QLatin1String(command)), platform::ProcessEnded);
        if (*command)
            testsupport::RunEventsPastTimer(200);
        else
            testsupport::RunEventsUntil([&] { return asked > 0; });
        EXPECT_EQ(asked, *command ? 0 : 1);
        EXPECT_TRUE(r->boxes.empty());
        mGeneralFunctions::UnloadAllForms();
        fixture::drain();
    }
}
