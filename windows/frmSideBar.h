#pragma once

#include "windows/FormBase.h"

#include <QDate>
#include <QString>

class ExplorerBar;
namespace platform {
class ImageList;
class MonthView;
} // namespace platform

// The side bar docked at the left of the main window: a month calendar and
// the task pane of commands. An item click hands its keys to the command
// dispatcher; a click on a day shows that day in the current view.
class frmSideBar : public FormWidget {
    Q_OBJECT
public:
    frmSideBar();

    QWidget* picContainer = nullptr;
    platform::MonthView* ucCalender = nullptr;
    platform::ImageList* imgSideBar = nullptr;
    ExplorerBar* ucOptionBar = nullptr;

    void ucCalender_DateClick(const QDate& DateClicked);
    void ucOptionBar_ItemClick(const QString& sGroup, const QString& sItemKey);

protected:
    void Form_Load() override;
    void resizeEvent(QResizeEvent* event) override;
};

namespace mFunctions {
// Builds the side bar's task pane: the calendar group, the special group of
// views and the four record groups with their commands.
void BuildOptionBar();
} // namespace mFunctions
