#include "controls/XPButton.h"

#include "ControlTestKit.h"
#include "FakeInputs.h"
#include "WidgetEvents.h"
#include "platform/ui/BackedWidget.h"

#include <QFontMetrics>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>

using kit::At;
using platform::OleColor;
using platform::RGB;

namespace {

// A form holding buttons, shown and active.
struct Form : QWidget {
    Form() {
        setGeometry(100, 100, 400, 200);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPointSize(8);
        setFont(f);
    }
    XPButton* add(QSize size, QPoint at = QPoint(20, 20)) {
        auto* b = new XPButton(this);
        b->setGeometry(QRect(at, size));
        return b;
    }
};

// Everything a button told its host, in order.
struct Recorder {
    QStringList events;
    explicit Recorder(XPButton* b) {
        QObject::connect(b, &XPButton::Click, [this] { events << QStringLiteral("Click"); });
        QObject::connect(b, &XPButton::MouseDown, [this](int16_t& btn, int16_t&, float&, float&) {
            events << QStringLiteral("MouseDown%1").arg(btn);
        });
        QObject::connect(b, &XPButton::MouseUp, [this](int16_t& btn, int16_t&, float&, float&) {
            events << QStringLiteral("MouseUp%1").arg(btn);
        });
        QObject::connect(b, &XPButton::MouseMove, [this](int16_t& btn, int16_t&, float&, float&) {
            events << QStringLiteral("MouseMove%1").arg(btn);
        });
        QObject::connect(b, &XPButton::KeyDown,
                         [this](int16_t& k, int16_t&) { events << QStringLiteral("KeyDown%1").arg(k); });
        QObject::connect(b, &XPButton::KeyUp,
                         [this](int16_t& k, int16_t&) { events << QStringLiteral("KeyUp%1").arg(k); });
        QObject::connect(b, &XPButton::KeyPress, [this](int16_t& k) { events << QStringLiteral("KeyPress%1").arg(k); });
        QObject::connect(b, &XPButton::MouseEnter, [this] { events << QStringLiteral("MouseEnter"); });
        QObject::connect(b, &XPButton::MouseLeave, [this] { events << QStringLiteral("MouseLeave"); });
    }
    QString take() {
        QString s = events.join(QLatin1Char(' '));
        events.clear();
        return s;
    }
};

// A button of one size on a shown, active form; no caption, so the face is bare.
struct Shown {
    Form form;
    XPButton* b;
    explicit Shown(QSize size) : b(form.add(size)) {
        b->setCaption(QString());
        kit::ShowActive(form);
    }
};

QPoint CentreOnScreen(const XPButton* b) {
    return b->mapToGlobal(QPoint(b->width() / 2, b->height() / 2));
}

// Moves the pointer onto the button and tells the button, as the window system would.
void HoverOver(XPButton* b, testsupport::FakeCursor& cursor) {
    cursor.moveTo(CentreOnScreen(b));
    widgetevents::move(b, QPoint(b->width() / 2, b->height() / 2));
}

// The pixels of a face carry these colours; the caption is drawn elsewhere.
bool RowIs(const QImage& img, int y, int x1, int x2, OleColor c) {
    for (int x = x1; x <= x2; ++x)
        if (At(img, x, y) != c)
            return false;
    return true;
}

int CountColour(const QImage& img, OleColor c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += At(img, x, y) == c;
    return n;
}

const QSize kSizes[] = {QSize(75, 23), QSize(120, 40)};

void ExpectBorder(const QImage& img, int W, int H) {
    const OleColor frame = RGB(0, 60, 116), light = RGB(122, 149, 168), dark = RGB(37, 87, 131);
    EXPECT_EQ(At(img, W / 2, 0), frame);
    EXPECT_EQ(At(img, W / 2, H - 1), frame);
    EXPECT_EQ(At(img, 0, H / 2), frame);
    EXPECT_EQ(At(img, W - 1, H / 2), frame);
    EXPECT_EQ(At(img, 0, 1), light);
    EXPECT_EQ(At(img, 1, 0), light);
    EXPECT_EQ(At(img, 1, 1), dark);
    EXPECT_EQ(At(img, W - 2, 0), light);
    EXPECT_EQ(At(img, W - 1, 1), light);
    EXPECT_EQ(At(img, W - 2, 1), dark);
    EXPECT_EQ(At(img, 0, H - 2), light);
    EXPECT_EQ(At(img, 1, H - 1), light);
    EXPECT_EQ(At(img, 1, H - 2), dark);
    EXPECT_EQ(At(img, W - 1, H - 2), light);
    EXPECT_EQ(At(img, W - 2, H - 1), light);
    EXPECT_EQ(At(img, W - 2, H - 2), dark);
}

} // namespace

TEST(XPButtonFaces, NormalFaceGradientShadingBorderAndRoundRegion) {
    for (QSize size : kSizes) {
        SCOPED_TRACE(size.width());
        Shown shown(size);
        XPButton* b = shown.b;
        QWidget& form = shown.form;
        form.setFocus(); // no ring
        b->Redraw(0);
        const QImage& img = b->surface();
        const int W = size.width(), H = size.height();
        ASSERT_EQ(img.size(), size);
        // Rows 1 and 2 are left to the background; the gradient starts on row 3.
        EXPECT_TRUE(RowIs(img, 1, 2, W - 3, RGB(255, 255, 255)));
        EXPECT_TRUE(RowIs(img, 2, 1, W - 2, RGB(255, 255, 255)));
        EXPECT_TRUE(RowIs(img, 3, 1, W - 2, RGB(255, 255, 253)));
        EXPECT_TRUE(RowIs(img, 4, 1, W - 2, RGB(254, 254, 252)));
        for (int y = 27; y <= H - 5; ++y)
            EXPECT_TRUE(RowIs(img, y, 1, W - 2, RGB(231, 231, 229))) << "row " << y;
        EXPECT_TRUE(RowIs(img, H - 4, 1, W - 2, RGB(236, 235, 230)));
        EXPECT_TRUE(RowIs(img, H - 3, 1, W - 2, RGB(226, 223, 214)));
        EXPECT_TRUE(RowIs(img, H - 2, 2, W - 3, RGB(214, 208, 197)));
        ExpectBorder(img, W, H);

        // The four corner pixels are cut out of the window: they never show
        // and the pointer there finds the form behind.
        const QRegion shape = b->mask();
        for (QPoint corner : {QPoint(0, 0), QPoint(W - 1, 0), QPoint(0, H - 1), QPoint(W - 1, H - 1)}) {
            EXPECT_FALSE(shape.contains(corner));
            EXPECT_EQ(platform::WindowFromPoint(b->mapToGlobal(corner)), &form);
        }
        EXPECT_TRUE(shape.contains(QPoint(1, 0)));
        EXPECT_EQ(platform::WindowFromPoint(b->mapToGlobal(QPoint(1, 0))), b);
    }
}

TEST(XPButtonFaces, HoverRingEndsInItsLastColoursAndBeatsTheFocusRing) {
    for (QSize size : kSizes) {
        SCOPED_TRACE(size.width());
        testsupport::FakeCursor cursor;
        Shown shown(size);
        XPButton* b = shown.b;
        b->setFocus();
        ASSERT_TRUE(b->hasFocus());
        HoverOver(b, cursor);
        const QImage& img = b->surface();
        const int W = size.width(), H = size.height();
        EXPECT_TRUE(RowIs(img, 1, 2, W - 3, RGB(255, 240, 207)));
        EXPECT_TRUE(RowIs(img, 2, 2, W - 3, RGB(253, 216, 137)));
        EXPECT_EQ(At(img, 1, 2), RGB(254, 223, 154));
        EXPECT_EQ(At(img, W - 2, 2), RGB(254, 223, 154));
        EXPECT_EQ(At(img, 2, 3), RGB(252, 210, 121));
        // The outer columns stop after 16 steps, the inner ones after 9.
        EXPECT_EQ(At(img, 1, 17), RGB(239, 178, 49));
        EXPECT_EQ(At(img, 1, 18), RGB(238, 175, 42));
        EXPECT_EQ(At(img, 1, H - 3), RGB(238, 175, 42));
        EXPECT_EQ(At(img, W - 2, H - 4), RGB(238, 175, 42));
        EXPECT_EQ(At(img, 2, 11), RGB(244, 178, 57));
        EXPECT_EQ(At(img, 2, 12), RGB(243, 174, 49));
        EXPECT_EQ(At(img, W - 3, H - 4), RGB(243, 174, 49));
        EXPECT_TRUE(RowIs(img, H - 3, 3, W - 2, RGB(243, 174, 49)));
        EXPECT_TRUE(RowIs(img, H - 2, 2, W - 3, RGB(229, 151, 0)));
        EXPECT_EQ(CountColour(img, RGB(206, 231, 251)), 0) << "no trace of the focus ring";
        ExpectBorder(img, W, H);
    }
}

TEST(XPButtonFaces, FocusRing) {
    for (QSize size : kSizes) {
        SCOPED_TRACE(size.width());
        Shown shown(size);
        XPButton* b = shown.b;
        b->setFocus();
        const QImage& img = b->surface();
        const int W = size.width(), H = size.height();
        EXPECT_TRUE(RowIs(img, 1, 2, W - 3, RGB(206, 231, 251)));
        EXPECT_TRUE(RowIs(img, 2, 1, W - 2, RGB(188, 212, 246)));
        // Two-pixel bands down both sides, bluer by a step each row until the
        // blue has fallen to 227.
        for (int x : {1, 2, W - 3, W - 2})
            EXPECT_EQ(At(img, x, 3), RGB(186, 211, 246));
        EXPECT_EQ(At(img, 1, 4), RGB(182, 208, 245));
        // 75 x 23: the last band (row 19) is one step short of the end colour.
        const OleColor last = H == 23 ? RGB(122, 163, 230) : RGB(110, 154, 227);
        const OleColor end = H == 23 ? RGB(118, 160, 229) : RGB(110, 154, 227);
        EXPECT_EQ(At(img, W - 2, H - 4), last);
        EXPECT_TRUE(RowIs(img, H - 3, 1, W - 3, end));
        EXPECT_EQ(At(img, 2, H - 2), RGB(77, 125, 193));
        EXPECT_TRUE(RowIs(img, H - 2, 3, W - 4, RGB(97, 125, 229)));
        EXPECT_EQ(At(img, W - 3, H - 2), RGB(77, 125, 193));
        ExpectBorder(img, W, H);
    }
}

TEST(XPButtonFaces, PressedFaceOnlyForTheLeftButton) {
    for (QSize size : kSizes) {
        SCOPED_TRACE(size.width());
        Shown shown(size);
        XPButton* b = shown.b;
        QWidget& form = shown.form;
        const QImage& img = b->surface();
        const int W = size.width(), H = size.height();
        widgetevents::press(b, QPoint(5, 5));
        EXPECT_TRUE(RowIs(img, 1, 2, W - 3, RGB(209, 204, 192)));
        EXPECT_TRUE(RowIs(img, 2, 1, W - 2, RGB(220, 216, 207)));
        EXPECT_TRUE(RowIs(img, 3, 1, W - 2, RGB(226, 225, 218)));
        EXPECT_TRUE(RowIs(img, 4, 1, W - 2, RGB(226, 225, 218)));
        EXPECT_TRUE(RowIs(img, 5, 1, W - 2, RGB(225, 224, 217)));
        EXPECT_TRUE(RowIs(img, H - 4, 1, W - 2, RGB(225, 224, 217)));
        EXPECT_TRUE(RowIs(img, H - 3, 1, W - 2, RGB(234, 233, 227)));
        EXPECT_TRUE(RowIs(img, H - 2, 2, W - 3, RGB(242, 241, 238)));
        ExpectBorder(img, W, H);
        widgetevents::release(b, QPoint(5, 5));

        // A right press asks for the pressed face too, and gets the normal one.
        form.setFocus();
        widgetevents::press(b, QPoint(5, 5), Qt::RightButton);
        EXPECT_EQ(At(img, 5, 3), RGB(255, 255, 253));
        widgetevents::release(b, QPoint(5, 5), Qt::RightButton);
    }
}

TEST(XPButtonFaces, DisabledFaceWhateverTheState) {
    for (QSize size : kSizes) {
        SCOPED_TRACE(size.width());
        testsupport::FakeCursor cursor;
        Form form;
        XPButton* b = form.add(size);
        b->setCaption(QStringLiteral("Save"));
        kit::ShowActive(form);
        b->setFocus();
        HoverOver(b, cursor);
        Recorder rec(b);
        b->setEnabled(false);
        widgetevents::press(b, QPoint(5, 5));
        const QImage& img = b->surface();
        const int W = size.width(), H = size.height();
        EXPECT_EQ(rec.take(), QString()) << "no MouseDown from a disabled button";
        EXPECT_EQ(At(img, 5, 3), RGB(245, 244, 234));
        EXPECT_EQ(At(img, W / 2, 0), RGB(201, 199, 186));
        EXPECT_EQ(At(img, W - 1, H / 2), RGB(201, 199, 186));
        const OleColor dark = RGB(216, 213, 199), pale = RGB(234, 233, 222);
        EXPECT_EQ(At(img, 0, 1), dark);
        EXPECT_EQ(At(img, 1, 2), pale);
        EXPECT_EQ(At(img, W - 1, 1), dark);
        EXPECT_EQ(At(img, W - 3, 1), pale);
        EXPECT_EQ(At(img, 1, H - 1), dark);
        EXPECT_EQ(At(img, 2, H - 2), pale);
        EXPECT_EQ(At(img, W - 2, H - 1), dark);
        EXPECT_EQ(At(img, W - 2, H - 3), pale);
        EXPECT_GT(CountColour(img, RGB(161, 161, 146)), 10) << "grey caption";
        EXPECT_EQ(CountColour(img, RGB(255, 240, 207)), 0) << "no hover ring";
        EXPECT_EQ(CountColour(img, RGB(0, 60, 116)), 0) << "no blue border";
    }
}

TEST(XPButtonFaces, CaptionMarksAccessKeyAndWrapsAsACentredBlock) {
    Form form;
    XPButton* b = form.add(QSize(120, 40));
    b->setForeColor(RGB(0, 0, 0));
    kit::ShowActive(form);
    form.setFocus();
    auto ink = [&](const QString& caption) {
        b->setCaption(caption);
        return b->surface().copy();
    };
    // "&&" shows one ampersand and marks nothing: four show two.
    const int one = CountColour(ink(QStringLiteral("&&")), RGB(0, 0, 0));
    EXPECT_GT(one, 0);
    EXPECT_EQ(CountColour(ink(QStringLiteral("&&&&")), RGB(0, 0, 0)), 2 * one);
    // "&Save" shows "Save" with the S underlined: more ink than plain "Save".
    const int marked = CountColour(ink(QStringLiteral("&Save")), RGB(0, 0, 0));
    const int plain = CountColour(ink(QStringLiteral("Save")), RGB(0, 0, 0));
    EXPECT_GT(marked, plain);

    auto inkRows = [&](const QString& caption) {
        const QImage img = ink(caption);
        int top = -1, bottom = -1;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 3; x < img.width() - 3; ++x)
                if (At(img, x, y) == RGB(0, 0, 0)) {
                    if (top < 0)
                        top = y;
                    bottom = y;
                }
        return std::make_pair(top, bottom);
    };
    const QFontMetrics fm(b->font(), &b->surface());
    const auto oneLine = inkRows(QStringLiteral("Save"));
    const auto twoLines = inkRows(QStringLiteral("Save these changes now"));
    ASSERT_GE(oneLine.first, 0);
    EXPECT_GE(twoLines.second - twoLines.first, fm.lineSpacing()) << "the long caption wraps onto a second line";
    // The block stays centred: its first line rises by half a line.
    EXPECT_NEAR(oneLine.first - twoLines.first, fm.lineSpacing() / 2.0, 1.5);
}

TEST(XPButtonEvents, LeftAndRightButtonSequences) {
    Form form;
    XPButton* b = form.add(QSize(75, 23));
    kit::ShowActive(form);
    Recorder rec(b);
    widgetevents::press(b, QPoint(10, 10));
    widgetevents::release(b, QPoint(10, 10));
    EXPECT_EQ(rec.take(), QStringLiteral("MouseDown1 MouseUp1 Click"));

    widgetevents::press(b, QPoint(10, 10), Qt::RightButton);
    widgetevents::release(b, QPoint(10, 10), Qt::RightButton);
    EXPECT_EQ(rec.take(), QStringLiteral("MouseDown2 MouseUp2"));
    EXPECT_EQ(At(b->surface(), 5, 3), RGB(255, 255, 253)) << "back to the normal face";

    // A release away from the button is no click.
    widgetevents::press(b, QPoint(10, 10));
    widgetevents::release(b, QPoint(200, 10));
    EXPECT_EQ(rec.take(), QStringLiteral("MouseDown1 MouseUp1"));

    // A double click: one Click, the second press reported as a left press,
    // and the mouse captured until the release.
    widgetevents::press(b, QPoint(10, 10));
    widgetevents::release(b, QPoint(10, 10));
    widgetevents::mouse(b, QEvent::MouseButtonDblClick, QPoint(10, 10), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(QWidget::mouseGrabber(), b);
    widgetevents::release(b, QPoint(10, 10));
    EXPECT_EQ(rec.take(), QStringLiteral("MouseDown1 MouseUp1 Click MouseDown1 MouseUp1"));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST(XPButtonEvents, EnterAndSpaceClickOnlyAsPairs) {
    Form form;
    XPButton* b = form.add(QSize(75, 23));
    kit::ShowActive(form);
    b->setFocus();
    Recorder rec(b);
    widgetevents::keyDown(b, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(At(b->surface(), 5, 5), RGB(225, 224, 217)) << "pressed face while Enter is down";
    widgetevents::keyUp(b, Qt::Key_Return);
    EXPECT_EQ(rec.take(), QStringLiteral("KeyDown13 KeyPress13 Click KeyUp13"));

    widgetevents::keyDown(b, Qt::Key_Return, QStringLiteral("\r"));
    widgetevents::keyUp(b, Qt::Key_Space);
    EXPECT_EQ(rec.take(), QStringLiteral("KeyDown13 KeyPress13 KeyUp32"));

    widgetevents::keyDown(b, Qt::Key_Space, QStringLiteral(" "));
    widgetevents::keyUp(b, Qt::Key_Space);
    EXPECT_EQ(rec.take(), QStringLiteral("KeyDown32 KeyPress32 Click KeyUp32"));

    widgetevents::keyDown(b, Qt::Key_A, QStringLiteral("a"));
    widgetevents::keyUp(b, Qt::Key_A);
    EXPECT_EQ(rec.take(), QStringLiteral("KeyDown65 KeyPress97 KeyUp65"));
}

TEST(XPButtonEvents, ArrowsMoveTheFocusAndStillReportTheKey) {
    Form form;
    XPButton* first = form.add(QSize(75, 23), QPoint(10, 10));
    XPButton* middle = form.add(QSize(75, 23), QPoint(10, 40));
    XPButton* last = form.add(QSize(75, 23), QPoint(10, 70));
    kit::ShowActive(form);
    Recorder rec(middle);
    struct Step {
        Qt::Key key;
        XPButton* lands;
        const char* code;
    } steps[] = {{Qt::Key_Left, last, "KeyDown37"},
                 {Qt::Key_Right, last, "KeyDown39"},
                 {Qt::Key_Up, first, "KeyDown38"},
                 {Qt::Key_Down, first, "KeyDown40"}};
    for (const Step& s : steps) {
        middle->setFocus();
        ASSERT_TRUE(middle->hasFocus());
        widgetevents::keyDown(middle, s.key);
        EXPECT_TRUE(s.lands->hasFocus()) << s.code;
        EXPECT_EQ(rec.take(), QString::fromLatin1(s.code));
    }
}

TEST(XPButtonEvents, AccessKeysFromTheCaption) {
    Form form;
    XPButton* b = form.add(QSize(120, 23));
    const std::pair<const char*, const char*> cases[] = {
        {"&Save Changes", "s"},  {"&Save Task", "s"}, {"Create New Note", ""}, {"Verify", ""}, {"Fish && Chips", ""},
        {"Fish && &Chips", "c"}, {"&&&X", "x"},       {"Save&", ""},           {"&", ""},      {"&&", ""},
        {"A&&B&&C", ""},         {"e&Xit", "x"}};
    for (const auto& c : cases) {
        b->setCaption(QString::fromLatin1(c.first));
        EXPECT_EQ(b->AccessKeys(), QString::fromLatin1(c.second)) << c.first;
    }

    // Alt with the key clicks the button, wherever the focus is.
    XPButton* other = form.add(QSize(75, 23), QPoint(20, 60));
    b->setCaption(QStringLiteral("&Save Changes"));
    kit::ShowActive(form);
    other->setFocus();
    Recorder rec(b);
    widgetevents::keyDown(other, Qt::Key_S, QStringLiteral("s"), Qt::AltModifier);
    EXPECT_EQ(rec.take(), QStringLiteral("Click"));
    widgetevents::keyDown(other, Qt::Key_S, QStringLiteral("s"));
    EXPECT_EQ(rec.take(), QString()) << "the key alone is no access key";
    b->setCaption(QStringLiteral("Verify"));
    widgetevents::keyDown(other, Qt::Key_S, QStringLiteral("s"), Qt::AltModifier);
    EXPECT_EQ(rec.take(), QString()) << "a new caption gives the old key up";
}

TEST(XPButtonEvents, HoverEntersAndTheTimerSeesThePointerLeave) {
    testsupport::FakeCursor cursor;
    Form form;
    XPButton* b = form.add(QSize(75, 23));
    b->setCaption(QStringLiteral("Save"));
    b->setForeHover(RGB(200, 0, 0));
    kit::ShowActive(form);
    form.setFocus();
    Recorder rec(b);
    HoverOver(b, cursor);
    widgetevents::move(b, QPoint(11, 11));
    widgetevents::move(b, QPoint(12, 11));
    EXPECT_EQ(rec.take(), QStringLiteral("MouseEnter MouseMove0 MouseMove0"));
    EXPECT_EQ(At(b->surface(), 5, 1), RGB(255, 240, 207));
    EXPECT_GT(CountColour(b->surface(), RGB(200, 0, 0)), 10) << "caption in the hover colour";

    // A new hover colour shows only at the next redraw.
    b->setForeHover(RGB(0, 150, 0));
    EXPECT_EQ(CountColour(b->surface(), RGB(0, 150, 0)), 0);
    b->Redraw(0);
    EXPECT_GT(CountColour(b->surface(), RGB(0, 150, 0)), 10);

    // Still inside: the timer ticks and does nothing.
    auto* hoverTimer = b->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(hoverTimer, nullptr);
    int ticks = 0;
    QObject::connect(hoverTimer, &QTimer::timeout, [&ticks] { ++ticks; });
    ASSERT_TRUE(testsupport::RunEventsUntil([&] { return ticks >= 3; }));
    EXPECT_EQ(rec.take(), QString());
    cursor.moveTo(QPoint(-500, -500));
    EXPECT_TRUE(testsupport::RunEventsUntil([&] { return !rec.events.isEmpty(); }));
    EXPECT_EQ(rec.take(), QStringLiteral("MouseLeave"));
    EXPECT_EQ(At(b->surface(), 5, 1), RGB(255, 255, 255)) << "ring gone";
    const int ticksAtLeave = ticks;
    testsupport::RunEventsPastTimer(30);
    EXPECT_EQ(ticks, ticksAtLeave) << "no tick once the pointer left";
    EXPECT_EQ(rec.take(), QString()) << "the timer stopped";

    // Back in: entered again.
    HoverOver(b, cursor);
    EXPECT_EQ(rec.take(), QStringLiteral("MouseEnter MouseMove0"));
}

TEST(XPButtonProperties, NewInstancesAndTheirSavedSettings) {
    Form form;
    form.add(QSize(75, 23));
    form.add(QSize(75, 23));
    XPButton* third = form.add(QSize(75, 23));
    EXPECT_EQ(third->objectName(), QStringLiteral("XPButton3"));
    EXPECT_EQ(third->Caption(), QStringLiteral("Command3"));
    EXPECT_TRUE(third->Enabled());
    EXPECT_EQ(third->ForeHover(), 0);
    EXPECT_EQ(third->Font(), form.font());

    platform::PropertyBag bag;
    third->WriteProperties(bag);
    EXPECT_FALSE(bag.contains(QStringLiteral("Enabled")));
    // The caption is compared with the display name, not the default caption.
    EXPECT_TRUE(bag.contains(QStringLiteral("Caption")));
    EXPECT_FALSE(bag.contains(QStringLiteral("Font")));
    EXPECT_TRUE(bag.contains(QStringLiteral("ForeColor"))) << "always written";

    third->setCaption(QStringLiteral("&Save Task"));
    third->setForeColor(RGB(10, 20, 30));
    third->setForeHover(RGB(200, 0, 0));
    third->setEnabled(false);
    bag.clear();
    third->WriteProperties(bag);

    Form other;
    XPButton* copy = other.add(QSize(75, 23));
    copy->ReadProperties(bag);
    EXPECT_EQ(copy->Caption(), QStringLiteral("&Save Task"));
    EXPECT_EQ(copy->AccessKeys(), QStringLiteral("s"));
    EXPECT_EQ(copy->ForeColor(), RGB(10, 20, 30));
    EXPECT_EQ(copy->ForeHover(), RGB(200, 0, 0));
    EXPECT_FALSE(copy->Enabled());
    EXPECT_FALSE(copy->isEnabled()) << "a disabled button takes no input";

    // A bag without a hover colour gives the text colour just read.
    platform::PropertyBag sparse;
    sparse.WriteProperty(QStringLiteral("ForeColor"), RGB(1, 2, 3));
    copy->ReadProperties(sparse);
    EXPECT_EQ(copy->ForeHover(), RGB(1, 2, 3));
    EXPECT_TRUE(copy->Enabled());
    EXPECT_EQ(copy->Caption(), copy->objectName());
}
