#include "windows/frmSideBar.h"

#include "controls/ABar.h"
#include "data/Views.h"
#include "data/mGeneralFunctions.h"
#include "platform/Clock.h"
#include "platform/ImageList.h"
#include "platform/ProgramFolder.h"
#include "platform/PropertyBag.h"
#include "platform/Text.h"
#include "platform/Twips.h"
#include "platform/ui/MonthView.h"
#include "windows/CommandDispatcher.h"
#include "windows/ListLoaders.h"
#include "windows/SideBarItems.h"

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
        imgSideBar->AddFile(platform::ShippedFile(QStringLiteral("sidebar%1.png").arg(i, 2, 10, QLatin1Char('0'))));

    ucOptionBar = new ExplorerBar(this);
    ucOptionBar->setObjectName(QStringLiteral("ucOptionBar"));
    ucOptionBar->ReadProperties(platform::PropertyBag());

    picContainer = new QWidget(this);
    picContainer->setObjectName(QStringLiteral("picContainer"));
    picContainer->resize(platform::TwipsToPixelsX(kPaneWidth), platform::TwipsToPixelsY(kCalendarHeight));
    ucCalender = new platform::MonthView(picContainer);
    ucCalender->setObjectName(QStringLiteral("ucCalender"));
    ucCalender->setAccessibleName(QStringLiteral("Calendar"));
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
    // A showing list is switched to afresh, filled with the day's records
    // straight away rather than with every day's first.
    case mFunctions::ViewTasks:
        if (mGeneralFunctions::IsFormLoadedVisible(QStringLiteral("frmDisplay")))
            mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_task"), day);
        else
            mFunctions::LoadScheduleList(0, day);
        break;
    case mFunctions::ViewMeetings:
        if (mGeneralFunctions::IsFormLoadedVisible(QStringLiteral("frmDisplay")))
            mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_mtg"), day);
        else
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

    auto addItems = [pane](const char* groupKey) {
        for (const SideBarItem& it : kSideBarItems)
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
    // Each group change repaints the whole bar while updates are on: the
    // groups take their states first, and the bar is painted once.
    pane->ExpandGroup(group(1), true);
    for (int g = 2; g <= 5; ++g)
        pane->ExpandGroup(group(g), false);
    pane->DisableUpdates(false);
}

} // namespace mFunctions
