#include "platform/DrawText.h"
#include "platform/Gdi.h"
#include "platform/GradientFill.h"
#include "platform/ImageList.h"
#include "platform/RuntimeError.h"
#include "platform/Theme.h"
#include "platform/Ui.h"

#include <QFontMetrics>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

QImage blank(int w = 60, int h = 40) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

TRIVERTEX vertex(int x, int y, QRgb c) {
    TRIVERTEX v;
    v.x = x;
    v.y = y;
    v.Red = static_cast<uint16_t>(qRed(c) << 8);
    v.Green = static_cast<uint16_t>(qGreen(c) << 8);
    v.Blue = static_cast<uint16_t>(qBlue(c) << 8);
    return v;
}

QFont plainFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    return f;
}

bool anyInk(const QImage& img, const QRect& r) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

} // namespace

TEST(Drawing, LinesLeaveOutTheirLastPointAndBoxesKeepBothCorners) {
    QImage img = blank();
    DrawLine(img, 2, 2, 6, 2, Qt::black);
    EXPECT_EQ(img.pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(5, 2), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(6, 2), qRgb(255, 255, 255));
    DrawLine(img, 9, 11, 13, 7, Qt::red); // a diagonal: (9,11) (10,10) (11,9) (12,8)
    EXPECT_EQ(img.pixel(12, 8), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(13, 7), qRgb(255, 255, 255));

    DrawBox(img, 20, 20, 24, 23, Qt::blue, false);
    EXPECT_EQ(img.pixel(20, 20), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(24, 23), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(22, 21), qRgb(255, 255, 255));
    DrawBox(img, 30, 30, 32, 31, Qt::green, true);
    EXPECT_EQ(img.pixel(31, 30), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(32, 31), qRgb(0, 255, 0));
    DrawBox(img, 58, 38, 70, 50, Qt::black, true); // partly outside: no harm
    EXPECT_EQ(img.pixel(59, 39), qRgb(0, 0, 0));
}

// Lines are clipped on the way; they must leave the very pixels a walk that
// plots every point leaves, wherever they start and end.
TEST(Drawing, ClippedLinesLeaveThePixelsOfAPointByPointWalk) {
    const int lines[][4] = {{2, 3, 9, 3},    {9, 3, 2, 3},   {-50, 5, 80, 5}, {80, 5, -50, 5}, {4, -20, 4, 70},
                            {4, 70, 4, -20}, {0, 0, 63, 0},  {63, 47, 0, 47}, {5, -1, 30, -1}, {64, 3, 64, 30},
                            {-3, 8, -1, 8},  {70, 8, 64, 8}, {7, 7, 7, 7},    {3, 47, 3, 48},  {3, 48, 3, 47}};
    for (const auto& l : lines) {
        QImage fast = blank(), walked = blank();
        DrawLine(fast, l[0], l[1], l[2], l[3], Qt::black);
        const int sx = l[2] > l[0] ? 1 : l[2] < l[0] ? -1 : 0, sy = l[3] > l[1] ? 1 : l[3] < l[1] ? -1 : 0;
        for (int x = l[0], y = l[1]; x != l[2] || y != l[3]; x += sx, y += sy)
            if (walked.rect().contains(x, y))
                walked.setPixel(x, y, qRgb(0, 0, 0));
        EXPECT_EQ(fast, walked) << l[0] << "," << l[1] << " to " << l[2] << "," << l[3];
    }
    // Slanting lines that leave the surface on every side, walked as the
    // gradients walk them.
    for (int from = -100; from <= 160; from += 13)
        for (int slant = -7; slant <= 7; slant += 2) {
            const int x1 = from, y1 = -30, x2 = from + slant * 10, y2 = 70;
            for (const bool reversed : {false, true}) {
                QImage fast = blank(), walked = blank();
                const int a = reversed ? x2 : x1, b = reversed ? y2 : y1, c = reversed ? x1 : x2,
                          d = reversed ? y1 : y2;
                DrawLine(fast, a, b, c, d, Qt::black);
                const int dx = std::abs(c - a), sx = a < c ? 1 : -1, dy = -std::abs(d - b), sy = b < d ? 1 : -1;
                for (int x = a, y = b, err = dx + dy; x != c || y != d;) {
                    if (walked.rect().contains(x, y))
                        walked.setPixel(x, y, qRgb(0, 0, 0));
                    const int e2 = 2 * err;
                    if (e2 >= dy) {
                        err += dy;
                        x += sx;
                    }
                    if (e2 <= dx) {
                        err += dx;
                        y += sy;
                    }
                }
                EXPECT_EQ(fast, walked) << a << "," << b << " to " << c << "," << d;
            }
        }
}

TEST(Drawing, ShiftedLinesLeaveThePixelsOfEachLineDrawnAlone) {
    const int lines[][4] = {{-80, 60, 20, -45}, {30, -50, 35, 90}, {-40, 20, 110, 25}, {70, 70, -10, -10}};
    for (const auto& l : lines)
        for (const QPoint& shift : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            std::vector<QRgb> colours;
            for (int k = 0; k < 150; ++k)
                colours.push_back(qRgb(k, 255 - k, k / 2));
            QImage together = blank(), alone = blank();
            DrawShiftedLines(together, l[0], l[1], l[2], l[3], shift, colours);
            for (int k = 0; k < 150; ++k)
                DrawLine(alone, l[0] + k * shift.x(), l[1] + k * shift.y(), l[2] + k * shift.x(), l[3] + k * shift.y(),
                         QColor(colours[static_cast<size_t>(k)]));
            EXPECT_EQ(together, alone) << l[0] << "," << l[1] << " to " << l[2] << "," << l[3];
        }
}

TEST(Drawing, GradientFillRunsAcrossOrDownAndStopsBeforeItsSecondVertex) {
    QImage img = blank();
    TRIVERTEX v[2] = {vertex(0, 0, qRgb(0, 0, 0)), vertex(50, 10, qRgb(200, 100, 250))};
    GRADIENT_RECT r;
    ASSERT_TRUE(GradientFill(img, v, 2, &r, 1, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(img.pixel(0, 5), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(25, 5), qRgb(100, 50, 125));
    EXPECT_EQ(img.pixel(49, 9), qRgb(196, 98, 245));
    EXPECT_EQ(img.pixel(50, 5), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(10, 10), qRgb(255, 255, 255));

    QImage down = blank();
    TRIVERTEX w[2] = {vertex(0, 0, qRgb(255, 255, 255)), vertex(10, 40, qRgb(0, 0, 40))};
    ASSERT_TRUE(GradientFill(down, w, 2, &r, 1, GRADIENT_FILL_RECT_V));
    EXPECT_EQ(down.pixel(3, 0), qRgb(255, 255, 255));
    EXPECT_EQ(down.pixel(7, 0), qRgb(255, 255, 255));
    EXPECT_EQ(down.pixel(3, 20), qRgb(127, 127, 147));
    EXPECT_LT(qRed(down.pixel(3, 39)), 8);

    GRADIENT_RECT bad;
    bad.LowerRight = 5;
    EXPECT_FALSE(GradientFill(img, v, 2, &bad, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(img, v, 2, &r, 1, 2));
}

TEST(Drawing, DrawTextWrapsMeasuresAndCutsAsAskedFor) {
    const QFont font = plainFont();
    const QFontMetrics fm(font);
    DeviceContext measure;
    measure.font = font;

    RECT r;
    SetRect(r, 0, 0, 1000, 500);
    EXPECT_EQ(DrawTextA(measure, QStringLiteral("One line"), -1, r, DT_WORDBREAK | DT_CALCRECT), fm.height());
    EXPECT_EQ(r.Right, fm.horizontalAdvance(QStringLiteral("One line")));

    // Narrow enough for one word a line; a word wider than the rectangle stays whole.
    SetRect(r, 10, 5, 10 + fm.horizontalAdvance(QStringLiteral("alpha")) + 2, 500);
    EXPECT_EQ(DrawTextA(measure, QStringLiteral("alpha beta gamma"), -1, r, DT_WORDBREAK | DT_CALCRECT),
              3 * fm.height());
    EXPECT_EQ(r.Bottom, 5 + 3 * fm.height());
    SetRect(r, 0, 0, 5, 500);
    EXPECT_EQ(DrawTextA(measure, QStringLiteral("unbreakable"), -1, r, DT_WORDBREAK | DT_CALCRECT), fm.height());
    EXPECT_EQ(DrawTextA(measure, QStringLiteral("a\r\nb"), -1, r, DT_WORDBREAK | DT_CALCRECT), 2 * fm.height());
    EXPECT_EQ(DrawTextA(measure, QStringLiteral("abc"), 0, r, DT_WORDBREAK | DT_CALCRECT), 0);

    // Prefixes: "&&" is one character, "&x" a marked x.
    SetRect(r, 0, 0, 1000, 50);
    DrawTextA(measure, QStringLiteral("A&&B"), -1, r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(r.Right, fm.horizontalAdvance(QStringLiteral("A&B")));
    SetRect(r, 0, 0, 1000, 50);
    DrawTextA(measure, QStringLiteral("&Save"), -1, r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(r.Right, fm.horizontalAdvance(QStringLiteral("Save")));

    // A single line too long for its rectangle is cut at a word with "..." and drawn inside it only.
    QImage img = blank(200, 20);
    DeviceContext dc;
    dc.surface = &img;
    dc.font = font;
    const QString text = QStringLiteral("Reschedule selected Meeting now");
    const int room = fm.horizontalAdvance(QStringLiteral("Reschedule selected...")) + 1;
    SetRect(r, 0, 0, room, 20);
    DrawTextA(dc, text, -1, r, DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS);
    EXPECT_TRUE(anyInk(img, QRect(0, 0, room, 20)));
    EXPECT_FALSE(anyInk(img, QRect(room, 0, 200 - room, 20)));
    SetRect(r, 0, 0, 1000, 20);
    DrawTextA(measure, QStringLiteral("Reschedule selected..."), -1, r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_LE(r.Right, room);
}

TEST(Drawing, TextIsMeasuredInTheFontAskedForEachTime) {
    // Widths are kept between calls: a text measured in one font must never
    // answer for the same text in another, whichever comes first.
    QFont bold = plainFont();
    bold.setBold(true);
    QFont wide = plainFont();
    wide.setPixelSize(22);
    const QString text = QStringLiteral("Show All Meeting Schedules");
    for (const QFont& font : {plainFont(), bold, wide, plainFont(), bold}) {
        const QFontMetrics fm(font);
        EXPECT_EQ(TextWidth(font, text), fm.horizontalAdvance(text));
        DeviceContext measure;
        measure.font = font;
        RECT r;
        SetRect(r, 0, 0, 1000, 50);
        DrawTextA(measure, text, -1, r, DT_SINGLELINE | DT_CALCRECT);
        EXPECT_EQ(r.Right, fm.horizontalAdvance(text));
    }
    EXPECT_LT(TextWidth(plainFont(), text), TextWidth(wide, text));
}

TEST(Drawing, ImageListsNamePicturesByPositionAndKey) {
    ImageList list;
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    EXPECT_EQ(list.Add(red, QStringLiteral("r")), 1);
    EXPECT_EQ(list.Add(QImage(32, 32, QImage::Format_ARGB32), QStringLiteral("big")), 2);
    EXPECT_EQ(list.ListImages(QStringLiteral("r")).ExtractIcon().pixel(3, 3), QColor(Qt::red).rgba());
    EXPECT_THROW(list.ListImages(3), RuntimeError);
    EXPECT_THROW(list.ListImages(QStringLiteral("none")), RuntimeError);
    RECT r;
    EXPECT_TRUE(ImageList_GetImageRect(HandleOf(&list), 1, r));
    EXPECT_EQ(r.width(), 32);
    EXPECT_FALSE(ImageList_GetImageRect(HandleOf(&list), 2, r));
}

TEST(Drawing, ImageListFilesGivePicturesByPositionAndKey) {
    QTemporaryDir dir;
    QImage blue(4, 2, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(dir.filePath(QStringLiteral("blue.png"))));
    ImageList list;
    EXPECT_EQ(list.AddFile(dir.filePath(QStringLiteral("missing.png"))), 1);
    EXPECT_EQ(list.AddFile(dir.filePath(QStringLiteral("blue.png")), QStringLiteral("b")), 2);
    EXPECT_EQ(list.AddFile(QString()), 3);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.ListImages(QStringLiteral("b")).Picture.pixel(3, 1), QColor(Qt::blue).rgba());
    EXPECT_TRUE(list.ListImages(1).Picture.isNull());
    EXPECT_TRUE(list.ListImages(3).Picture.isNull());
    RECT r;
    EXPECT_TRUE(ImageList_GetImageRect(HandleOf(&list), 1, r));
    EXPECT_EQ(r.width(), 4);
}

TEST(VisualStyles, OpenOnlyForTheExplorerBarClassAndNotWithoutAStyle) {
    SetCurrentVisualStyle(QStringLiteral("homestead"));
    EXPECT_EQ(CurrentVisualStyle(), QStringLiteral("HomeStead"));
    HTHEME theme = OpenThemeData(0, QStringLiteral("explorerBAR"));
    ASSERT_NE(theme, 0);
    QString file, colour;
    EXPECT_EQ(GetCurrentThemeName(&file, &colour), S_OK);
    EXPECT_EQ(colour, QStringLiteral("HomeStead"));
    EXPECT_FALSE(file.isEmpty());
    EXPECT_EQ(OpenThemeData(0, QStringLiteral("Button")), 0);
    EXPECT_NE(OpenThemeData(0, QStringLiteral("Button;Explorerbar")), 0);
    EXPECT_EQ(CloseThemeData(theme), S_OK);
    EXPECT_EQ(CloseThemeData(theme), E_INVALIDARG);

    SetCurrentVisualStyle(QStringLiteral("Classic"));
    EXPECT_EQ(OpenThemeData(0, QStringLiteral("ExplorerBar")), 0);
    EXPECT_EQ(GetCurrentThemeName(&file, &colour), E_FAIL);
    SetCurrentVisualStyle(QStringLiteral("Nonsense"));
    EXPECT_EQ(CurrentVisualStyle(), QStringLiteral("NormalColor"));
}

TEST(VisualStyles, PartsDrawInTheirStatesAndThemeTextUsesThePartColour) {
    SetCurrentVisualStyle(QStringLiteral("NormalColor"));
    const HTHEME theme = OpenThemeData(0, QStringLiteral("ExplorerBar"));
    QImage img = blank(120, 60);
    DeviceContext dc;
    dc.surface = &img;
    dc.font = plainFont();
    RECT r;
    SetRect(r, 0, 0, 120, 60);
    ASSERT_EQ(DrawThemeBackground(theme, dc, 1, 1, r, nullptr), S_OK);
    const QRgb top = img.pixel(50, 0), bottom = img.pixel(50, 59);
    EXPECT_NE(top, bottom);
    EXPECT_EQ(img.pixel(0, 30), img.pixel(119, 30)); // one colour across

    // A hot button differs from a normal one; a pressed one from both.
    QImage states[3];
    for (int s = 1; s <= 3; ++s) {
        states[s - 1] = blank(24, 24);
        DeviceContext b = dc;
        b.surface = &states[s - 1];
        RECT box;
        SetRect(box, 0, 0, 24, 24);
        DrawThemeBackground(theme, b, 7, s, box, &box);
    }
    EXPECT_NE(states[0], states[1]);
    EXPECT_NE(states[1], states[2]);

    RECT content;
    SetRect(r, 8, 10, 208, 34);
    EXPECT_EQ(GetThemeBackgroundContentRect(theme, &dc, 8, 1, r, content), S_OK);
    EXPECT_GT(content.Left, r.Left);
    EXPECT_EQ(DrawThemeBackground(theme, dc, 4, 1, r, nullptr), E_INVALIDARG); // no such part

    QImage text = blank(100, 20);
    DeviceContext t = dc;
    t.surface = &text;
    SetRect(r, 0, 0, 100, 20);
    DrawThemeText(theme, t, 8, 1, QStringLiteral("WWW"), -1, DT_SINGLELINE, 0, r);
    bool blue = false;
    for (int x = 0; x < 40 && !blue; ++x)
        for (int y = 0; y < 20 && !blue; ++y)
            blue = text.pixel(x, y) == qRgb(33, 93, 198);
    EXPECT_TRUE(blue);
    CloseThemeData(theme);
}
