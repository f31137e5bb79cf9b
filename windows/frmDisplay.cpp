#include "windows/frmDisplay.h"

#include "data/Views.h"
#include "data/cRC4.h"
#include "data/mGeneralFunctions.h"
#include "data/mNotes.h"
#include "platform/Clock.h"
#include "platform/Twips.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Menus.h"
#include "platform/ui/TextBox.h"
#include "windows/CommandDispatcher.h"
#include "windows/Geometry.h"
#include "windows/HeaderStrip.h"
#include "windows/Pictures.h"
#include "windows/frmMain.h"

#include <QEvent>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace {

constexpr double kPreviewHeight = 2400;
constexpr double kPreviewLeft = 120;
constexpr double kPreviewTop = 360;

struct Column {
    const char* caption;
    double width; // its share of the list's width
};

} // namespace

frmDisplay::frmDisplay()
    : MdiChildForm(QStringLiteral("frmDisplay"), []() -> ChildHost& { return UseForm<frmMain>(); }) {
    setWindowTitle(QStringLiteral("Records"));
    picHeader = new HeaderStrip(this);
    lblHeader = picHeader->label();
    lstData = new platform::ListView(this);
    lstData->setObjectName(QStringLiteral("lstData"));
    lstData->SetImageList(ListViewIcons());

    picDescContainer = new QWidget(this);
    picDescContainer->setObjectName(QStringLiteral("picDescContainer"));
    picDescContainer->installEventFilter(this);
    lblNoteInfo = new QLabel(picDescContainer);
    lblNoteInfo->setObjectName(QStringLiteral("lblNoteInfo"));
    QFont font = lblNoteInfo->font();
    font.setBold(true);
    lblNoteInfo->setFont(font);
    lblNoteInfo->move(platform::TwipsToPixelsX(kPreviewLeft), platform::TwipsToPixelsY(90));
    txtQuickDesc = new platform::MultiLineTextBox(picDescContainer);
    txtQuickDesc->setObjectName(QStringLiteral("txtQuickDesc"));
    txtQuickDesc->setReadOnly(true);
    txtQuickDesc->setAccessibleName(QStringLiteral("Note Description"));
    geometry::Move(txtQuickDesc, kPreviewLeft, kPreviewTop, 1440, 1440);
    picDescContainer->hide();

    connect(lstData, &platform::ListView::ItemClick, this, &frmDisplay::lstData_ItemClick);
    connect(lstData, &platform::ListView::SelectedItemChanged, this, &frmDisplay::lstData_SelectedItemChanged);
    connect(lstData, &platform::ListView::DblClick, this, &frmDisplay::lstData_DblClick);
    connect(lstData, &platform::ListView::MouseDown, this, &frmDisplay::lstData_MouseDown);
}

void frmDisplay::Form_Load() {
    CreateColumns();
}

void frmDisplay::CreateColumns() {
    // Each view's columns, by view number; the Today view has none here.
    static const std::vector<Column> byView[] = {
        {},
        {{"Date", 0.1}, {"Title", 0.3}, {"Status", 0.15}, {"Priority", 0.15}, {"Description", 0.3}},
        {{"Date", 0.1},
         {"Title", 0.3},
         {"Meeting For", 0.15},
         {"Priority", 0.15},
         {"Start Time", 0.15},
         {"End Time", 0.15},
         {"Description", 0.3}},
        {{"Date", 0.2}, {"Time", 0.2}, {"Title", 0.3}, {"Last Saved", 0.3}, {"Note", 0}},
        {{"Title", 0.3}, {"User Name", 0.2}, {"Password", 0.2}, {"URL", 0.3}},
    };
    const int32_t view = mFunctions::CurrentView();
    const std::vector<Column>& columns = view >= 0 && view < int32_t(std::size(byView)) ? byView[view] : byView[0];

    auto headers = lstData->ColumnHeaders();
    headers.Clear();
    const double width = geometry::ColumnsWidth(lstData);
    // The meetings' shares add up to more than the whole, and a day column
    // may need more than its share: the columns then give up room in
    // proportion to their shares, so none lies past the list's right edge.
    double shares = 0;
    for (const Column& column : columns)
        shares += column.width;
    std::vector<double> widths;
    for (const Column& column : columns)
        widths.push_back(width * column.width / std::max(1.0, shares));
    // A day column is never narrower than a day key beside its icon.
    const double dayWidth = platform::PixelsToTwipsX(
        lstData->fontMetrics().horizontalAdvance(QStringLiteral("00-00-0000")) + lstData->iconSize().width() + 16);
    if (!widths.empty() && view != mFunctions::ViewPasswords && widths[0] < dayWidth) {
        const double others = width * std::min(1.0, shares) - widths[0];
        const double left = std::max(0.0, std::min(others, width - dayWidth));
        for (std::size_t i = 1; i < widths.size(); ++i)
            widths[i] = others > 0 ? widths[i] * left / others : 0;
        widths[0] = dayWidth;
    }
    // Whole pixels, rounded down, so the rounding of each column cannot add
    // up to more than the list holds.
    const int perPixel = platform::TwipsPerPixelX();
    for (std::size_t i = 0; i < columns.size(); ++i)
        headers.Add(QLatin1String(columns[i].caption), std::floor(widths[i] / perPixel) * perPixel);
    lstData->SetSorted(true);
    lstData->SetSortKey(0);
    lstData->SetSortOrder(platform::ListView::lvwAscending);
}

void frmDisplay::resizeEvent(QResizeEvent* event) {
    MdiChildForm::resizeEvent(event);
    Form_Resize();
}

void frmDisplay::Form_Resize() {
    if (!mGeneralFunctions::IsFormLoadedVisible(QStringLiteral("frmMain")))
        return;
    using namespace geometry;
    const double width = ScaleWidth(this);
    const double height = ScaleHeight(this);
    Move(picHeader, 0, 0, width, Height(picHeader));
    double listHeight = height - Height(picHeader) - 200;
    if (mFunctions::CurrentView() == mFunctions::ViewNotes) {
        picDescContainer->show();
        Move(picDescContainer, 0, height - kPreviewHeight, width, kPreviewHeight);
        listHeight -= kPreviewHeight;
    } else {
        picDescContainer->hide();
    }
    lstData->Move(0, Height(picHeader), width, listHeight);
    CreateColumns();
}

bool frmDisplay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picDescContainer && event->type() == QEvent::Resize)
        picDescContainer_Resize();
    return MdiChildForm::eventFilter(watched, event);
}

void frmDisplay::picDescContainer_Resize() {
    using namespace geometry;
    Move(txtQuickDesc, kPreviewLeft, kPreviewTop, ScaleWidth(picDescContainer) - 2 * kPreviewLeft,
         ScaleHeight(picDescContainer) - 2 * kPreviewTop);
}

void frmDisplay::lstData_ItemClick(platform::ListItem* Item) {
    if (!Item)
        return;
    DateParam = Item->Text();
    TitleParam = Item->SubItems(mFunctions::CurrentView() == mFunctions::ViewNotes ? 2 : 1);
}

void frmDisplay::lstData_SelectedItemChanged(platform::ListItem* Item) {
    if (mFunctions::CurrentView() != mFunctions::ViewNotes)
        return;
    // The preview follows the highlighted row however it was chosen (a click,
    // a key, a refill that keeps it), so it never shows another note, or a
    // note as it was before a save.
    if (!Item) {
        lblNoteInfo->clear();
        txtQuickDesc->SetText(QString());
        return;
    }
    const NoteRecord note = mNotes::GetNote(Item->SubItems(2));
    lblNoteInfo->setText(QStringLiteral(":: Note Description (Last Saved : ") +
                         Item->SubItems(3).replace(QLatin1String("; "), QLatin1String(" at ")) + QStringLiteral("):"));
    lblNoteInfo->adjustSize();
    txtQuickDesc->SetText(DecipherOptionalField(note.Text));
}

void frmDisplay::lstData_DblClick() {
    switch (mFunctions::CurrentView()) {
    case mFunctions::ViewTasks:
        mFunctions::HandleOptionBarItems(QStringLiteral("tasks"), QStringLiteral("tsk_edit"));
        break;
    case mFunctions::ViewMeetings:
        mFunctions::HandleOptionBarItems(QStringLiteral("mtg"), QStringLiteral("mtg_edit"));
        break;
    case mFunctions::ViewNotes:
        mFunctions::HandleOptionBarItems(QStringLiteral("note"), QStringLiteral("note_edit"));
        break;
    case mFunctions::ViewPasswords:
        mFunctions::HandleOptionBarItems(QStringLiteral("pwd"), QStringLiteral("pwd_edit"));
        break;
    default:
        break;
    }
}

void frmDisplay::lstData_MouseDown(int Button, int Shift, int x, int y) {
    const int32_t view = mFunctions::CurrentView();
    if (Button == platform::ListView::vbRightButton) {
        frmMain& main = UseForm<frmMain>();
        QMenu* menu = nullptr;
        switch (view) {
        case mFunctions::ViewTasks:
            menu = main.pupTaskToday;
            break;
        case mFunctions::ViewMeetings:
            menu = main.pupMeetToday;
            // Priority can be changed only from the all-meetings list; the Today view hides it again.
            main.Entry(QStringLiteral("pupMeetTodayLine2"))->setVisible(true);
            main.Entry(QStringLiteral("pupMeetTodayChnageP"))->setVisible(true);
            break;
        case mFunctions::ViewNotes:
            menu = main.mnuNotes;
            break;
        case mFunctions::ViewPasswords:
            menu = main.mnuPassword;
            break;
        default:
            break;
        }
        if (menu)
            platform::PopupMenu(menu, platform::GetCursorPos());
        return;
    }
    if (Button != platform::ListView::vbLeftButton || view != mFunctions::ViewPasswords)
        return;
    switch (Shift) {
    case platform::ListView::vbCtrlMask:
        mFunctions::PasswordItemAction(mFunctions::CopyUserName, lstData->SelectedItem());
        break;
    case platform::ListView::vbAltMask:
        mFunctions::PasswordItemAction(mFunctions::CopyPassword, lstData->SelectedItem());
        break;
    case platform::ListView::vbShiftMask:
        mFunctions::PasswordItemAction(mFunctions::OpenUrl, lstData->SelectedItem());
        break;
    default:
        break;
    }
}
