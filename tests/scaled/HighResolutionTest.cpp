// On a 1280 x 1024 screen at a scale of 2 (see tests/support/main_scaled.cpp):
// the organiser's own controls draw at the screen's pixels, and every window
// fits the 640 x 512 desktop.
#include "../windows/WindowsFixture.h"

#include "controls/ABar.h"
#include "controls/XPButton.h"
#include "platform/Gdi.h"
#include "platform/ui/BackedWidget.h"
#include "windows/frmAbout.h"
#include "windows/frmAppPassword.h"
#include "windows/frmChangePassword.h"
#include "windows/frmMeetings.h"
#include "windows/frmNotes.h"
#include "windows/frmPassword.h"
#include "windows/frmSideBar.h"
#include "windows/frmTasks.h"

#include <QGuiApplication>
#include <QScreen>
#include <functional>
#include <memory>

namespace {

// Whether a part of a surface holds detail finer than its units: some unit's
// block of pixels is not all one colour. A surface drawn a pixel a unit and
// scaled up has none.
bool finerThanUnits(const QImage& surface, const QRect& units) {
    const int ratio = static_cast<int>(surface.devicePixelRatio());
    for (int y = units.top(); y <= units.bottom(); ++y)
        for (int x = units.left(); x <= units.right(); ++x)
            for (int dy = 0; dy < ratio; ++dy)
                for (int dx = 0; dx < ratio; ++dx)
                    if (surface.pixel(x * ratio + dx, y * ratio + dy) != surface.pixel(x * ratio, y * ratio))
                        return true;
    return false;
}

QRect areaOf(const QWidget* w) {
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

} // namespace

TEST(HighResolution, OwnDrawnControlsKeepTheirImagesAtTheScreensPixels) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
    QWidget host;
    host.resize(300, 400);
    auto* plain = new platform::BackedWidget(&host);
    plain->setGeometry(0, 0, 30, 20);
    auto* button = new XPButton(&host);
    button->setGeometry(10, 40, 100, 28);
    button->setCaption(QStringLiteral("&Save Task"));
    auto* bar = new ExplorerBar(&host);
    bar->ReadProperties(platform::PropertyBag());
    bar->setGeometry(120, 0, 180, 400);
    host.show();
    bar->AddSpecialGroup(QStringLiteral("Information Display"), QImage());
    bar->AddItem(kSpecialGroupKey, QStringLiteral("sh_today"), QStringLiteral("Show Today's Schedules"));

    const struct {
        const char* what;
        platform::BackedWidget* control;
    } controls[] = {{"plain", plain}, {"flat button", button}, {"explorer bar", bar}};
    for (const auto& c : controls) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.control->surface().size(), c.control->size() * 2);
        EXPECT_EQ(c.control->surface().devicePixelRatio(), 2.0);
        EXPECT_EQ(platform::SurfaceSize(c.control->surface()), c.control->size());
    }

    // Lines stay where they were, a unit wide; text uses every pixel.
    const QImage& face = button->surface();
    EXPECT_EQ(platform::GetPixel(face, 0, 14).rgb(), qRgb(0, 60, 116));
    EXPECT_EQ(face.pixel(1, 29), qRgb(0, 60, 116));
    EXPECT_NE(face.pixel(2, 29), qRgb(0, 60, 116));
    EXPECT_TRUE(finerThanUnits(face, QRect(10, 8, 80, 12))) << "the caption is drawn at the screen's pixels";
    EXPECT_TRUE(finerThanUnits(bar->surface(), QRect(40, 50, 100, 40))) << "the item's caption too";
}

TEST_F(WindowsTest, EveryWindowFitsTheScreenWithItsButtonsOnIt) {
    const QRect desk = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(desk.size(), QSize(640, 512));
    auto fits = [&](QWidget* window, const char* what) {
        SCOPED_TRACE(what);
        window->show();
        fixture::drain();
        EXPECT_TRUE(desk.contains(window->frameGeometry()));
        for (XPButton* b : window->findChildren<XPButton*>())
            EXPECT_TRUE(desk.contains(areaOf(b))) << b->objectName().toStdString();
    };

    frmMain& main = openMain();
    fits(&main, "main window");

    const struct {
        const char* what;
        std::function<void()> open;
    } editors[] = {
        {"task editor", [] { frmTasks::AddTask(); }},
        {"meeting editor", [] { frmMeetings::AddMeeting(); }},
        {"note editor", [] { frmNotes::AddNote(); }},
        {"password editor", [] { frmPassword::AddPassword(); }},
        {"change password", [] { platform::Forms::Get<frmChangePassword>().ShowModal(); }},
    };
    for (const auto& e : editors) {
        r->onModal = [&](QObject* w) {
            auto* window = qobject_cast<QWidget*>(w);
            fits(window, e.what);
            window->close();
        };
        e.open();
        fixture::drain();
    }
    ASSERT_EQ(r->modalWindows.size(), std::size(editors));

    platform::Forms::Get<frmAbout>().Show();
    fits(&platform::Forms::Get<frmAbout>(), "about box");
    platform::Forms::Get<frmAppPassword>().Show();
    fits(&platform::Forms::Get<frmAppPassword>(), "password prompt");
}
