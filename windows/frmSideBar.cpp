#include "windows/frmSideBar.h"

#include "data/Views.h"
#include "data/mGeneralFunctions.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "platform/ui/MonthView.h"
#include "windows/CommandDispatcher.h"
#include "windows/ListLoaders.h"

#include <QVBoxLayout>

frmSideBar::frmSideBar() : FormWidget(QStringLiteral("frmSideBar")) {
    setWindowTitle(QStringLiteral("Options"));
    picContainer = new QWidget(this);
    picContainer->setObjectName(QStringLiteral("picContainer"));
    ucCalender = new platform::MonthView(picContainer);
    ucCalender->setObjectName(QStringLiteral("ucCalender"));
    auto* inner = new QVBoxLayout(picContainer);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(ucCalender);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picContainer);
    layout->addStretch(1);
    connect(ucCalender, &platform::MonthView::DateClick, this, &frmSideBar::ucCalender_DateClick);
}

void frmSideBar::Form_Load() {
    ucCalender->SetValue(platform::Today());
}

void frmSideBar::resizeEvent(QResizeEvent* event) {
    FormWidget::resizeEvent(event);
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
