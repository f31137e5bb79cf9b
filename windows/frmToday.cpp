#include "windows/frmToday.h"

#include "controls/GradientRect.h"
#include "data/Views.h"
#include "data/mGeneralFunctions.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "platform/Twips.h"
#include "platform/ui/BackedWidget.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Menus.h"
#include "windows/EditorParts.h"
#include "windows/Geometry.h"
#include "windows/HeaderStrip.h"
#include "windows/ListLoaders.h"
#include "windows/Pictures.h"
#include "windows/frmMain.h"
#include "windows/frmMeetings.h"
#include "windows/frmTasks.h"

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>
#include <utility>

namespace {

constexpr double kGradLineHeight = 45;
// The rules' width before the first layout, which is what the gradient spans.
constexpr double kGradLineWidth = 7200;

platform::ListView* newList(QWidget* parent, const char* name, std::initializer_list<const char*> columns) {
    auto* list = new platform::ListView(parent);
    list->setObjectName(QLatin1String(name));
    list->SetImageList(ListViewIcons());
    for (const char* caption : columns)
        list->ColumnHeaders().Add(QLatin1String(caption));
    return list;
}

// Sets a list's column widths as shares of the width its columns share.
void setColumnShares(platform::ListView* list, std::initializer_list<double> shares) {
    int column = 1;
    for (double share : shares)
        list->ColumnHeaders().Item(column++).SetWidth(geometry::ColumnsWidth(list) * share);
}

// Ticks, in each of the main window's option arrays, the entries whose caption
// is the selected row's sub-item named with it, and unticks the others. False
// when the list has rows but none is selected: the press then does nothing.
bool tickForSelectedRow(platform::ListView* list, const frmMain& main,
                        std::initializer_list<std::pair<const char*, int>> arrays) {
    if (list->ListItems().Count() == 0)
        return true;
    platform::ListItem* row = list->SelectedItem();
    if (!row)
        return false;
    for (const auto& [name, subItem] : arrays) {
        const QString text = row->SubItems(subItem);
        for (QAction* entry : platform::MenuEntryArray(&main, QLatin1String(name)))
            platform::SetMenuChecked(entry, entry->text() == text);
    }
    return true;
}

} // namespace

frmToday::frmToday() : MdiChildForm(QStringLiteral("frmToday"), []() -> ChildHost& { return UseForm<frmMain>(); }) {
    setWindowTitle(QStringLiteral("Today"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    picHeader = new HeaderStrip(this);
    lblHeader = picHeader->label();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picHeader);
    layout->addStretch(1);

    picTasksContaiter = new QWidget(this);
    picTasksContaiter->setObjectName(QStringLiteral("picTasksContaiter"));
    picMeetingsContainer = new QWidget(this);
    picMeetingsContainer->setObjectName(QStringLiteral("picMeetingsContainer"));
    QWidget* containers[2] = {picTasksContaiter, picMeetingsContainer};
    for (int i = 0; i < 2; ++i) {
        lblInfo[i] = new QLabel(containers[i]);
        lblInfo[i]->setObjectName(QStringLiteral("lblInfo%1").arg(i));
        QFont font = lblInfo[i]->font();
        font.setBold(true);
        lblInfo[i]->setFont(font);
        QPalette captionPal = lblInfo[i]->palette();
        captionPal.setColor(QPalette::WindowText, QColor(0, 0, 128));
        lblInfo[i]->setPalette(captionPal);
        picGradLine[i] = new platform::BackedWidget(containers[i]);
        picGradLine[i]->setObjectName(QStringLiteral("picGradLine%1").arg(i));
        picGradLine[i]->resize(platform::TwipsToPixelsX(kGradLineWidth), 1);
    }
    lstTasksToday = newList(picTasksContaiter, "lstTasksToday", {"Date", "Title", "Priority", "Status"});
    lstMeetingsToday =
        newList(picMeetingsContainer, "lstMeetingsToday", {"Date", "Title", "Meeting For", "Start Time", "End Time"});

    tmrClock = new QTimer(this);
    tmrClock->setInterval(1000);
    connect(tmrClock, &QTimer::timeout, this, &frmToday::tmrClock_Timer);
    connect(lstTasksToday, &platform::ListView::DblClick, this, &frmToday::lstTasksToday_DblClick);
    connect(lstTasksToday, &platform::ListView::MouseDown, this, &frmToday::lstTasksToday_MouseDown);
    connect(lstMeetingsToday, &platform::ListView::DblClick, this, &frmToday::lstMeetingsToday_DblClick);
    connect(lstMeetingsToday, &platform::ListView::MouseDown, this, &frmToday::lstMeetingsToday_MouseDown);
}

void frmToday::Form_Load() {
    for (platform::BackedWidget* line : picGradLine)
        line->resize(line->width(), platform::TwipsToPixelsY(kGradLineHeight));
    // The rules are painted once; a wider window shows the white they fade
    // into beyond their first width.
    clsGradient gradient;
    gradient.setColor1(platform::RGB(0, 0, 128));
    gradient.setColor2(platform::RGB(255, 255, 255));
    gradient.Draw(picGradLine[0]);
    gradient.Draw(picGradLine[1]);
    mFunctions::LoadTodaySchedule(QString());
    mFunctions::SetCurrentView(mFunctions::ViewToday);
    tmrClock->start();
}

void frmToday::resizeEvent(QResizeEvent* event) {
    MdiChildForm::resizeEvent(event);
    Form_Resize();
}

void frmToday::Form_Resize() {
    using namespace geometry;
    const double width = ScaleWidth(this);
    const double height = ScaleHeight(this);
    Move(picTasksContaiter, 50, ScaleHeight(picHeader) + 50, width, height * 0.5);
    Move(picMeetingsContainer, 50, ScaleHeight(picTasksContaiter) + 200, width, height * 0.5);
    platform::ListView* lists[2] = {lstTasksToday, lstMeetingsToday};
    QWidget* containers[2] = {picTasksContaiter, picMeetingsContainer};
    for (int i = 0; i < 2; ++i) {
        lblInfo[i]->adjustSize();
        Move(lblInfo[i], 120, 120, platform::PixelsToTwipsX(lblInfo[i]->width()), Height(lblInfo[i]));
        Move(picGradLine[i], 120, Height(lblInfo[i]) + 100, ScaleWidth(containers[i]) * 0.8, kGradLineHeight);
        lists[i]->Move(120, Top(picGradLine[i]) + 200, ScaleWidth(containers[i]) * 0.95,
                       ScaleHeight(containers[i]) * 0.7);
    }
    setColumnShares(lstTasksToday, {0.15, 0.45, 0.1, 0.15});
    setColumnShares(lstMeetingsToday, {0.15, 0.3, 0.3, 0.125, 0.125});
    // An urgent meeting's row is bold; its times must still show whole. The
    // room they need more comes from the title and meeting-for columns.
    const double shared = geometry::ColumnsWidth(lstMeetingsToday);
    const double timeWidth = std::max(shared * 0.125, BoldTimeColumnWidth(lstMeetingsToday));
    const double textWidth = std::max(0.0, shared * 0.3 - (timeWidth - shared * 0.125));
    for (int column : {2, 3})
        lstMeetingsToday->ColumnHeaders().Item(column).SetWidth(textWidth);
    for (int column : {4, 5})
        lstMeetingsToday->ColumnHeaders().Item(column).SetWidth(timeWidth);
}

double frmToday::BoldTimeColumnWidth(const QWidget* list) {
    QFont bold = list->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int widest = 0;
    for (const char* sample : {"00:00:00 AM", "00:00:00 PM", "88:88:88 AM", "88:88:88 PM"})
        widest = std::max(widest, metrics.horizontalAdvance(QLatin1String(sample)));
    // The cell's own margins on both sides of the text.
    return platform::PixelsToTwipsX(widest + 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 4));
}

QString frmToday::HeaderText() const {
    const QDate day =
        m_displayDate.trimmed().isEmpty() ? platform::Today() : mGeneralFunctions::GetDateOnly(m_displayDate);
    return QStringLiteral("Veltrane :: ") + QLocale().toString(day, QStringLiteral("dddd, dd MMMM yyyy")) +
           QStringLiteral(" ; ") + platform::FormatSystemTime(platform::Now().time());
}

void frmToday::SetDisplayDate(const QString& dayKey) {
    m_displayDate = dayKey;
    picHeader->setCaption(HeaderText());
    const bool today = dayKey == platform::FormatDatePattern(platform::Today(), QStringLiteral("dd-mm-yyyy"));
    lblInfo[0]->setText(today ? QStringLiteral("Today's Tasks on List ... ") : QStringLiteral("Tasks on List ... "));
    lblInfo[1]->setText(today ? QStringLiteral("Today's Scheduled Meetings ...")
                              : QStringLiteral("Scheduled Meetings ..."));
    for (QLabel* caption : lblInfo)
        caption->adjustSize();
    editor_parts::NameAfter(lstTasksToday, lblInfo[0]->text());
    editor_parts::NameAfter(lstMeetingsToday, lblInfo[1]->text());
}

void frmToday::tmrClock_Timer() {
    picHeader->setCaption(HeaderText());
}

void frmToday::lstTasksToday_DblClick() {
    if (platform::ListItem* row = lstTasksToday->SelectedItem())
        frmTasks::EditTask(row->Text(), row->SubItems(1));
}

void frmToday::lstTasksToday_MouseDown(int Button, int Shift, int x, int y) {
    frmMain& main = UseForm<frmMain>();
    if (!tickForSelectedRow(lstTasksToday, main, {{"pupTaskTodayChangePOpt", 2}, {"pupTaskTodayChangeSOpt", 3}}))
        return;
    if (Button == platform::ListView::vbRightButton)
        platform::PopupMenu(main.pupTaskToday, platform::GetCursorPos());
}

void frmToday::lstMeetingsToday_DblClick() {
    if (platform::ListItem* row = lstMeetingsToday->SelectedItem())
        frmMeetings::EditMeeting(row->Text(), row->SubItems(1));
}

void frmToday::lstMeetingsToday_MouseDown(int Button, int Shift, int x, int y) {
    frmMain& main = UseForm<frmMain>();
    if (!tickForSelectedRow(lstMeetingsToday, main, {{"pupMeetTodayChangeMForOpt", 2}}))
        return;
    const bool meetingsView = mFunctions::CurrentView() == mFunctions::ViewMeetings;
    main.Entry(QStringLiteral("pupMeetTodayLine2"))->setVisible(meetingsView);
    main.Entry(QStringLiteral("pupMeetTodayChnageP"))->setVisible(meetingsView);
    if (Button == platform::ListView::vbRightButton)
        platform::PopupMenu(main.pupMeetToday, platform::GetCursorPos());
}
