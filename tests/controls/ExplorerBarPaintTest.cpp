#include "ExplorerBarFixture.h"

#include "platform/ProgramFolder.h"
#include "platform/ui/Subclass.h"
#include "platform/ui/ThemeChange.h"

#include <QLabel>
#include <set>
#include <utility>

using namespace platform;

namespace {

QRgb sys(int index) {
    return ToQColor(GetSysColor(index)).rgb();
}

// Every pixel of a colour within a rectangle.
std::set<std::pair<int, int>> pixelsOf(const QImage& img, const QRect& r, QRgb colour) {
    std::set<std::pair<int, int>> found;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixel(x, y) == colour)
                found.insert({x, y});
    return found;
}

std::set<std::pair<int, int>> rows(const std::vector<std::pair<int, std::vector<int>>>& wanted) {
    std::set<std::pair<int, int>> out;
    for (const auto& row : wanted)
        for (int x : row.second)
            out.insert({x, row.first});
    return out;
}

} // namespace

TEST(ExplorerBarColours, SoftColorLightensByBandsAndLong2RGBSplits) {
    EXPECT_EQ(ExplorerBar::SoftColor(RGB(0, 0, 0)), RGB(76, 76, 76));
    EXPECT_EQ(ExplorerBar::SoftColor(RGB(255, 255, 255)), RGB(255, 255, 255));
    EXPECT_EQ(ExplorerBar::SoftColor(RGB(100, 200, 40)), RGB(138, 219, 97));
    EXPECT_EQ(ExplorerBar::SoftColor(RGB(31, 32, 223)), RGB(107, 89, 242));
    uint8_t r, g, b;
    ExplorerBar::Long2RGB(RGB(1, 2, 3), r, g, b);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(g, 2);
    EXPECT_EQ(b, 3);
}

TEST_F(ExplorerBarTest, DoGradientRunsDownForOneAndAcrossForZero) {
    ASSERT_TRUE(bar->DoGradient(RGB(255, 0, 0), RGB(0, 0, 255), 1, 10, 10, 20, 100));
    EXPECT_EQ(pixel(15, 10), qRgb(255, 0, 0));
    EXPECT_EQ(pixel(29, 10), qRgb(255, 0, 0));
    const QColor bottom(pixel(15, 109));
    EXPECT_LT(bottom.red(), 6);
    EXPECT_GT(bottom.blue(), 249);
    ASSERT_TRUE(bar->DoGradient(RGB(255, 0, 0), RGB(0, 0, 255), 0, 10, 200, 100, 20));
    EXPECT_EQ(pixel(10, 219), qRgb(255, 0, 0));
    EXPECT_GT(QColor(pixel(109, 200)).blue(), 249);
}

TEST_F(ExplorerBarTest, ChevronsArePairsOfTwoPixelArmsFourPixelsApart) {
    surface().fill(Qt::white);
    ExplorerBarProbe::chevron(*bar, 0, 0, false, RGB(0, 0, 0));
    EXPECT_EQ(pixelsOf(surface(), QRect(0, 0, 24, 24), qRgb(0, 0, 0)), rows({{8, {9, 10, 14, 15}},
                                                                             {9, {10, 11, 13, 14}},
                                                                             {10, {11, 12, 13}},
                                                                             {11, {12}},
                                                                             {12, {9, 10, 14, 15}},
                                                                             {13, {10, 11, 13, 14}},
                                                                             {14, {11, 12, 13}},
                                                                             {15, {12}}}));
    surface().fill(Qt::white);
    ExplorerBarProbe::chevron(*bar, 30, 40, true, RGB(0, 0, 0));
    const auto up = pixelsOf(surface(), QRect(30, 40, 24, 24), qRgb(0, 0, 0));
    EXPECT_EQ(up, rows({{48, {42}},
                        {49, {41, 42, 43}},
                        {50, {40, 41, 43, 44}},
                        {51, {39, 40, 44, 45}},
                        {52, {42}},
                        {53, {41, 42, 43}},
                        {54, {40, 41, 43, 44}},
                        {55, {39, 40, 44, 45}}}));
}

TEST_F(ExplorerBarTest, ClassicButtonFramesAreFlatRaisedAndSunken) {
    ChangeVisualStyle(QStringLiteral("Classic"));
    buildGroups(false);
    const RECT h = group(1).HeaderRect;
    const int X = 233 - 32, Y = h.Top;
    auto frame = [&] {
        return std::vector<QRgb>{pixel(X + 4, Y + 12), pixel(X + 12, Y + 4), pixel(X + 20, Y + 12),
                                 pixel(X + 12, Y + 20)};
    };
    const QRgb face = sys(COLOR_BTNFACE), light = sys(COLOR_BTNHIGHLIGHT), shadow = sys(COLOR_BTNSHADOW);
    EXPECT_EQ(pixel(h.Left, h.Top), face);
    EXPECT_EQ(pixel(h.Right, h.Bottom), face);
    EXPECT_EQ(frame(), (std::vector<QRgb>{face, face, face, face}));
    EXPECT_EQ(pixel(X + 12, Y + 11), sys(COLOR_BTNTEXT)); // the collapsed chevron's tip

    moveTo(mid(h));
    EXPECT_EQ(group(1).State, 2);
    EXPECT_EQ(frame(), (std::vector<QRgb>{light, light, shadow, shadow}));
    press(mid(h));
    EXPECT_EQ(group(1).State, 3);
    EXPECT_EQ(frame(), (std::vector<QRgb>{shadow, shadow, light, light}));
}

TEST_F(ExplorerBarTest, ClassicLookUsesSystemColoursAndOutlinesTheBodies) {
    ChangeVisualStyle(QStringLiteral("Classic"));
    bar->AddSpecialGroup(QStringLiteral("Information Display"), QImage());
    bar->AddItem(QStringLiteral("Special Group"), QStringLiteral("sh"), QStringLiteral("Show"));
    buildGroups();
    EXPECT_EQ(ExplorerBarProbe::colorName(*bar), QStringLiteral("Classic"));
    EXPECT_EQ(pixel(2, 2), sys(COLOR_WINDOW));
    const RECT s = group(-1).HeaderRect;
    EXPECT_EQ(pixel(s.Left + 2, s.Top + 2), sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixel(s.Left, s.Bottom + 3), sys(COLOR_HIGHLIGHT)); // the special body's outline
    const RECT h = group(1).HeaderRect;
    EXPECT_EQ(pixel(h.Left, h.Bottom + 3), sys(COLOR_BTNFACE));
    EXPECT_EQ(pixel(h.Right - 1, h.Bottom + group(1).BodyHeight), sys(COLOR_BTNFACE));
    EXPECT_EQ(pixel(h.Left + 3, h.Bottom + 3), sys(COLOR_WINDOW));
    // The caption is in button text; the special one in highlight text.
    EXPECT_FALSE(pixelsOf(surface(), QRect(h.Left + 12, h.Top, 60, 24), sys(COLOR_BTNTEXT)).empty());
    EXPECT_FALSE(pixelsOf(surface(), QRect(s.Left + 36, s.Top, 60, 24), sys(COLOR_HIGHLIGHTTEXT)).empty());

    // A long caption is cut before the button and kept whole in the group.
    const QString longCaption = QStringLiteral("Tasks and a great many other things besides them all");
    bar->SetGroupCaption(I(1), longCaption);
    EXPECT_TRUE(pixelsOf(surface(), QRect(h.Right - 25, h.Top + 1, 8, 22), sys(COLOR_BTNTEXT)).empty());
    EXPECT_FALSE(pixelsOf(surface(), QRect(h.Right - 60, h.Top + 1, 30, 22), sys(COLOR_BTNTEXT)).empty());
    EXPECT_EQ(group(1).Caption, longCaption);
}

TEST_F(ExplorerBarTest, MetallicAndHomeSteadHeadersAreOwnGradientsWithPictureButtons) {
    ChangeVisualStyle(QStringLiteral("Metallic"));
    bar->AddSpecialGroup(QStringLiteral("Information Display"), QImage());
    buildGroups();
    const RECT h = group(1).HeaderRect;
    const RECT s = group(-1).HeaderRect;
    EXPECT_EQ(pixel(h.Left, h.Top + 12), qRgb(255, 255, 255));
    EXPECT_EQ(pixel(s.Left, s.Top + 12), qRgb(119, 119, 146));
    EXPECT_NE(pixel(h.Left, h.Top), qRgb(255, 255, 255)); // the rounded corner shows the background
    EXPECT_EQ(pixel(h.Left + 4, h.Bottom + 3), qRgb(240, 241, 245));
    EXPECT_EQ(pixel(h.Left, h.Bottom + 3), qRgb(255, 255, 255));

    const QImage strip(ProgramFile(QStringLiteral("imgbuttons.png")));
    ASSERT_FALSE(strip.isNull());
    const int X = 233 - 32;
    EXPECT_EQ(pixel(X + 4 + 8, h.Top + 4 + 8), strip.pixel(51 + 8, 8) | 0xFF000000); // expanded, normal
    EXPECT_EQ(pixel(X + 4 + 8, s.Top + 4 + 8), strip.pixel(17 + 8, 8) | 0xFF000000); // expanded, special

    ChangeVisualStyle(QStringLiteral("HomeStead"));
    EXPECT_EQ(pixel(h.Left, h.Top + 12), qRgb(255, 252, 236));
    EXPECT_EQ(pixel(X + 4 + 8, h.Top + 4 + 8), strip.pixel(51 + 8, 18 + 8) | 0xFF000000);
    EXPECT_EQ(pixel(h.Left + 4, h.Bottom + 3), qRgb(246, 246, 236));
    // The special header is the style's own part, not one of these gradients.
    const QColor special(pixel(s.Left + 20, s.Top + 12));
    EXPECT_NE(special.rgb(), qRgb(119, 119, 146));
    EXPECT_GT(special.green(), special.blue());
}

TEST_F(ExplorerBarTest, ThemedHeaderTextTakesTheStylesColourOrTheSystemsHighlight) {
    buildGroups(false);
    const RECT h = group(1).HeaderRect;
    const QRect caption(h.Left, h.Top, 80, 24);
    EXPECT_FALSE(pixelsOf(surface(), caption, qRgb(33, 93, 198)).empty());
    bar->SetUseUxThemeText(false);
    EXPECT_TRUE(pixelsOf(surface(), caption, qRgb(33, 93, 198)).empty());
    EXPECT_FALSE(pixelsOf(surface(), caption, sys(COLOR_HIGHLIGHT)).empty());
    moveTo(mid(h)); // hot: the lighter tint
    const QRgb soft = ToQColor(ExplorerBar::SoftColor(GetSysColor(COLOR_HIGHLIGHT))).rgb();
    EXPECT_FALSE(pixelsOf(surface(), caption, soft).empty());
    EXPECT_TRUE(pixelsOf(surface(), caption, sys(COLOR_HIGHLIGHT)).empty());
}

TEST_F(ExplorerBarTest, ItemsAreRedrawnOverThemselvesInTheirStateColour) {
    ImageList list;
    QImage green(16, 16, QImage::Format_ARGB32);
    green.fill(Qt::green);
    list.Add(green);
    bar->SetImageList(&list);
    bar->AddGroup(QStringLiteral("tasks"), QStringLiteral("Tasks"));
    bar->AddItem(QStringLiteral("tasks"), QStringLiteral("a"), QStringLiteral("Add New Task"), I(1));
    bar->AddItem(QStringLiteral("tasks"), QStringLiteral("b"), QStringLiteral("No picture"));
    const RECT r = group(1).Items[1].ItemRect;
    const QRect text(r.Left + 20, r.Top, r.Right - r.Left - 20, r.Bottom - r.Top + 2);
    EXPECT_EQ(pixel(r.Left + 8, r.Top + 8), qRgb(0, 255, 0));
    EXPECT_FALSE(pixelsOf(surface(), text, sys(COLOR_BTNTEXT)).empty());

    ExplorerBarProbe::drawItem(*bar, 1, 1, 2);
    EXPECT_TRUE(pixelsOf(surface(), text, sys(COLOR_BTNTEXT)).empty());
    EXPECT_FALSE(pixelsOf(surface(), text, sys(COLOR_HIGHLIGHT)).empty());
    EXPECT_EQ(ExplorerBarProbe::foreColor(*bar), GetSysColor(COLOR_BTNTEXT));
    ExplorerBarProbe::drawItem(*bar, 1, 1, 1);
    EXPECT_TRUE(pixelsOf(surface(), text, sys(COLOR_HIGHLIGHT)).empty());

    // Without a picture the text stays drawn and its colour stays set.
    ExplorerBarProbe::drawItem(*bar, 1, 2, 2);
    EXPECT_EQ(ExplorerBarProbe::foreColor(*bar), GetSysColor(COLOR_HIGHLIGHT));

    // The item under the pointer stays hot through a full repaint.
    moveTo(mid(r));
    bar->Refresh();
    EXPECT_FALSE(pixelsOf(surface(), text, sys(COLOR_HIGHLIGHT)).empty());
    EXPECT_TRUE(pixelsOf(surface(), text, sys(COLOR_BTNTEXT)).empty());
}

TEST_F(ExplorerBarTest, DetailsAreWrittenInTheRestingTextState) {
    bar->AddDetailsGroup(QStringLiteral("Details"), QStringLiteral("Title"), QStringLiteral("Some text"));
    const RECT r = ExplorerBarProbe::detailsTextRect(*bar);
    const QRgb ink = sys(COLOR_BTNTEXT);
    int longest = 0;
    for (int y = r.Top; y < r.Bottom; ++y) {
        int run = 0;
        for (int x = r.Left; x < r.Right; ++x) {
            run = pixel(x, y) == ink ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    // Underlined, as between painters: one line under the whole text, the space included.
    EXPECT_GE(longest, TextWidth(ExplorerBarProbe::font(*bar), QStringLiteral("Some text")) - 2);
}

TEST_F(ExplorerBarTest, TheSpecialPictureRisesAboveItsHeader) {
    QImage red(32, 32, QImage::Format_RGB32);
    red.fill(Qt::red);
    bar->AddSpecialGroup(QStringLiteral("Information Display"), red);
    const RECT s = group(-1).HeaderRect;
    EXPECT_EQ(pixel(12, s.Top - 8), qRgb(255, 0, 0));
    EXPECT_EQ(pixel(43, s.Top + 23), qRgb(255, 0, 0));
    EXPECT_NE(pixel(44, s.Top + 12), qRgb(255, 0, 0));
}

TEST_F(ExplorerBarTest, AStyleChangeRepaintsInTheNewLook) {
    buildGroups();
    const QRgb themed = pixel(2, 2);
    ChangeVisualStyle(QStringLiteral("Classic"));
    EXPECT_EQ(ExplorerBarProbe::colorName(*bar), QStringLiteral("Classic"));
    EXPECT_EQ(pixel(2, 2), sys(COLOR_WINDOW));
    ChangeVisualStyle(QStringLiteral("Metallic"));
    EXPECT_EQ(pixel(2, 2), qRgb(196, 200, 212));
    ChangeVisualStyle(QStringLiteral("NormalColor"));
    EXPECT_EQ(pixel(2, 2), themed);
}

TEST_F(ExplorerBarTest, HostedControlsGetTheBodyColour) {
    auto* backed = new BackedWidget(host.get());
    backed->resize(100, 60);
    auto* label = new QLabel(QStringLiteral("Day"), backed);
    auto* plain = new QWidget(host.get());
    plain->resize(100, 50);
    auto* plainLabel = new QLabel(QStringLiteral("Day"), plain);
    bar->AddGroup(QStringLiteral("a"), QStringLiteral("A"));
    bar->AddGroup(QStringLiteral("b"), QStringLiteral("B"));
    bar->SetGroupChild(I(1), backed);
    bar->SetGroupChild(I(2), plain);

    // The style's own body: the colour is read back from the drawing.
    const QRgb body = backed->surface().pixel(4, 4);
    EXPECT_EQ(body, qRgb(214, 223, 247));
    EXPECT_EQ(label->palette().color(QPalette::Window).rgb(), body);
    EXPECT_EQ(plainLabel->palette().color(QPalette::Window).rgb(), body);
    // Below the caption, whose glyphs take the system fonts' size.
    EXPECT_EQ(plain->grab().toImage().pixel(4, 40), body);

    ChangeVisualStyle(QStringLiteral("Metallic"));
    EXPECT_EQ(backed->surface().pixel(4, 4), qRgb(240, 241, 245));
    EXPECT_EQ(backed->surface().pixel(0, 4), qRgb(255, 255, 255));
    EXPECT_EQ(label->palette().color(QPalette::Window).rgb(), qRgb(240, 241, 245));

    ChangeVisualStyle(QStringLiteral("Classic"));
    EXPECT_EQ(backed->surface().pixel(4, 4), sys(COLOR_WINDOW));
    EXPECT_EQ(backed->surface().pixel(0, 4), sys(COLOR_BTNFACE));
}

TEST_F(ExplorerBarTest, TheDesignPlaceholderNamesTheControl) {
    ChangeVisualStyle(QStringLiteral("Classic"));
    ExplorerBarProbe::placeholder(*bar);
    EXPECT_EQ(pixel(6, 12), sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixel(6, 35), sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixel(10, 50), sys(COLOR_WINDOW));
}

TEST_F(ExplorerBarTest, ColourChangesRepaintAndTheScrollBarKeepsItsOwnColours) {
    buildGroups();
    surface().fill(Qt::red);
    QEvent changed(QEvent::ApplicationPaletteChange);
    QApplication::sendEvent(bar, &changed);
    EXPECT_NE(pixel(2, 2), qRgb(255, 0, 0));

    // So do the host's own font and colours, which the bar takes over.
    surface().fill(Qt::red);
    QFont larger = host->font();
    larger.setPointSize(larger.pointSize() + 2);
    host->setFont(larger);
    EXPECT_NE(pixel(2, 2), qRgb(255, 0, 0));
    surface().fill(Qt::red);
    QPalette colours = host->palette();
    colours.setColor(QPalette::Window, Qt::yellow);
    host->setPalette(colours);
    EXPECT_NE(pixel(2, 2), qRgb(255, 0, 0));

    bool handled = false;
    int32_t result = 0, hwnd = 0, msg = WM_CTLCOLORSCROLLBAR, wParam = 0, lParam = 0;
    bar->zSubclass_Proc(true, handled, result, hwnd, msg, wParam, lParam);
    EXPECT_EQ(msg, WM_NULL);
    EXPECT_FALSE(handled);
}
