#pragma once

#include "windows/FormBase.h"

#include <QString>

class QLabel;
class HeaderStrip;
namespace platform {
class ListItem;
class ListView;
class MultiLineTextBox;
} // namespace platform

// Every record of one kind in one list: all tasks, all meetings, all notes
// (with a preview of the highlighted note) or all password entries, as the
// current view says.
class frmDisplay : public MdiChildForm {
    Q_OBJECT
public:
    frmDisplay();

    // Builds the current view's columns; the list sorts on the first one.
    void CreateColumns();

    // The first column and the title of the last clicked row.
    QString DateParam;
    QString TitleParam;

    HeaderStrip* picHeader = nullptr;
    QLabel* lblHeader = nullptr;
    platform::ListView* lstData = nullptr;
    QWidget* picDescContainer = nullptr;
    QLabel* lblNoteInfo = nullptr;
    platform::MultiLineTextBox* txtQuickDesc = nullptr;

    void lstData_ItemClick(platform::ListItem* Item);
    void lstData_SelectedItemChanged(platform::ListItem* Item);
    void lstData_DblClick();
    void lstData_MouseDown(int Button, int Shift, int x, int y);

protected:
    void Form_Load() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Resize();
    void picDescContainer_Resize();
};
