#include "windows/frmSideBar.h"

#include "controls/ABar.h"
#include "data/Views.h"
#include "data/mGeneralFunctions.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/ImageList.h"
#include "platform/PropertyBag.h"
#include "platform/Text.h"
#include "platform/Twips.h"
#include "platform/ui/MonthView.h"
#include "windows/CommandDispatcher.h"
#include "windows/ListLoaders.h"

#include <QVBoxLayout>

using platform::Variant;

namespace {

constexpr double kPaneWidth = 3500;
constexpr double kCalendarHeight = 2850;

Variant group(int index) {
    return Variant::fromInteger(static_cast<int16_t>(index));
}

} // namespace

frmSideBar::frmSideBar() : FormWidget(QStringLiteral("frmSideBar")) {
    setWindowTitle(QStringLiteral("Options"));
    imgSideBar = new platform::ImageList(this);
    imgSideBar->setObjectName(QStringLiteral("imgSideBar"));
    for (int i = 1; i <= 16; ++i)
        imgSideBar->AddFile(platform::ProgramFile(QStringLiteral("sidebar%1.png").arg(i, 2, 10, QLatin1Char('0'))));

    ucOptionBar = new ExplorerBar(this);
    ucOptionBar->setObjectName(QStringLiteral("ucOptionBar"));
    ucOptionBar->ReadProperties(platform::PropertyBag());

    picContainer = new QWidget(this);
    picContainer->setObjectName(QStringLiteral("picContainer"));
    picContainer->resize(platform::TwipsToPixelsX(kPaneWidth), platform::TwipsToPixelsY(kCalendarHeight));
    ucCalender = new platform::MonthView(picContainer);
    ucCalender->setObjectName(QStringLiteral("ucCalender"));
    auto* layout = new QVBoxLayout(picContainer);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(ucCalender);

    connect(ucCalender, &platform::MonthView::DateClick, this, &frmSideBar::ucCalender_DateClick);
    connect(ucOptionBar, &ExplorerBar::ItemClick, this, &frmSideBar::ucOptionBar_ItemClick);
}

void frmSideBar::Form_Load() {
    mFunctions::BuildOptionBar();
    ucCalender->SetValue(platform::Today());
}

void frmSideBar::resizeEvent(QResizeEvent* event) {
    FormWidget::resizeEvent(event);
    ucOptionBar->resize(platform::TwipsToPixelsX(kPaneWidth), ucOptionBar->height());
}

void frmSideBar::ucOptionBar_ItemClick(const QString& sGroup, const QString& sItemKey) {
    mFunctions::HandleOptionBarItems(sGroup, sItemKey);
}

void frmSideBar::ucCalender_DateClick(const QDate& DateClicked) {
    const QString day = platform::FormatDatePattern(DateClicked, QStringLiteral("dd-mm-yyyy"));
    switch (mFunctions::CurrentView()) {
    case mFunctions::ViewToday:
        mFunctions::LoadTodaySchedule(day);
        break;
    case mFunctions::ViewTasks:
        if (mGeneralFunctions::IsFormLoadedVisible(QStringLiteral("frmDisplay")))
            mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_task"));
        mFunctions::LoadScheduleList(0, day);
        break;
    case mFunctions::ViewMeetings:
        if (mGeneralFunctions::IsFormLoadedVisible(QStringLiteral("frmDisplay")))
            mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_mtg"));
        mFunctions::LoadScheduleList(1, day);
        break;
    case mFunctions::ViewNotes:
        mFunctions::LoadNotesList(day);
        break;
    default:
        break;
    }
}

namespace mFunctions {

void BuildOptionBar() {
    frmSideBar& bar = platform::Forms::Get<frmSideBar>();
    ExplorerBar* pane = bar.ucOptionBar;
    platform::ImageList* images = bar.imgSideBar;
    pane->DisableUpdates(true);
    pane->ClearStructure();
    pane->SetImageList(images);
    pane->AddGroup(QStringLiteral("calender"), QStringLiteral("Calender"), group(0));
    pane->SetGroupChild(QStringLiteral("calender"), bar.picContainer);
    pane->AddSpecialGroup(QStringLiteral("Information Display"), images->ListImages(11).Picture);

    struct Item {
        const char* group;
        const char* key;
        const char* caption;
        int icon;
    };
    static const Item items[] = {
        {"Special Group", "sh_today", "Show Today's Schedules", 12},
        {"Special Group", "sh_task", "Show All Tasks", 13},
        {"Special Group", "sh_mtg", "Show All Meeting Schedules", 14},
        {"Special Group", "sh_note", "Show All Notes", 15},
        {"Special Group", "sh_pwd", "Show All Passwords", 16},
        {"tasks", "tsk_add", "Add New Task", 1},
        {"tasks", "tsk_edit", "Edit selected Task Details", 2},
        {"tasks", "tsk_del", "Remove selected Task", 3},
        {"mtg", "mtg_add", "Add New Meeting Schedule", 5},
        {"mtg", "mtg_edit", "Reschedule selected Meeting", 6},
        {"mtg", "mtg_del", "Remove selected Meeting", 4},
        {"note", "note_add", "Create New Note", 7},
        {"note", "note_edit", "Edit selected Note", 8},
        {"note", "note_del", "Remove selected Note", 4},
        {"pwd", "pwd_add", "Add New Password", 9},
        {"pwd", "pwd_edit", "Edit Selected Password Details", 10},
        {"pwd", "pwd_del", "Remove Selected Password", 4},
    };
    auto addItems = [pane](const char* groupKey) {
        for (const Item& it : items)
            if (qstrcmp(it.group, groupKey) == 0)
                pane->AddItem(QString::fromLatin1(it.group), QString::fromLatin1(it.key),
                              QString::fromLatin1(it.caption), group(it.icon));
    };
    addItems("Special Group");
    pane->AddGroup(QStringLiteral("tasks"), QStringLiteral("Tasks"), group(0));
    addItems("tasks");
    // The record groups are given the first picture, which a normal group
    // does not show.
    const QImage groupIcon = images->ListImages(1).Picture;
    pane->AddGroup(QStringLiteral("mtg"), QStringLiteral("Meetings"), group(0), groupIcon);
    addItems("mtg");
    pane->AddGroup(QStringLiteral("note"), QStringLiteral("Notes"), group(0), groupIcon);
    addItems("note");
    pane->AddGroup(QStringLiteral("pwd"), QStringLiteral("Passwords"), group(0), groupIcon);
    addItems("pwd");
    pane->DisableUpdates(false);
    pane->ExpandGroup(group(1), true);
    for (int g = 2; g <= 5; ++g)
        pane->ExpandGroup(group(g), false);
}

} // namespace mFunctions
