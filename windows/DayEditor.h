#pragma once

#include "platform/Forms.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <utility>

class FormCore;
class QVBoxLayout;
class QWidget;
class XPButton;
namespace platform {
class DatePicker;
class MultiLineTextBox;
class TextBox;
} // namespace platform

// What the task and meeting editors share: records filed by day and title.
namespace day_editor {

// The editor to open a record in, or none when it is already on the screen:
// that one is brought to the front and left as it is, since a second run of it
// would turn the record it holds into another one and save that twice.
template <class Editor> Editor* IdleEditor() {
    if (Editor* open = platform::Forms::IfLoaded<Editor>(); open && open->isShowing()) {
        open->bringToFront();
        return nullptr;
    }
    return &platform::Forms::Get<Editor>();
}

// Shows the editor modally: empty in add mode (0), or in edit mode (1) on the
// record of a day and title, which it is handed in its own two fields.
template <class Editor>
void Open(int32_t showMode, QString Editor::*dayField, QString Editor::*titleField, const QString& day = QString(),
          const QString& title = QString()) {
    Editor* editor = IdleEditor<Editor>();
    if (!editor)
        return;
    if (showMode != 0) {
        editor->*dayField = day;
        editor->*titleField = title;
    }
    editor->ShowMode = showMode;
    editor->ShowModal();
}

// The picker of the day a record is filed under, in its frame.
platform::DatePicker* DayPicker(QWidget* frame);

// A framed text box of the record's, below the others; such a text holds at
// most 400 characters.
platform::MultiLineTextBox* AddTextBox(QWidget* dialog, QVBoxLayout* column, const QString& caption, const char* name);

// The Save and Cancel buttons below everything else.
std::pair<XPButton*, XPButton*> AddButtons(QWidget* dialog, QVBoxLayout* column);

// Whether another record of the day already has the typed title. Two records
// of one title on one day would make every later edit or removal act on the
// first of them, so edits are checked as well; the record being edited, its
// day and title kept in the picker's and the title box's tags, does not count
// against itself.
bool TitleTaken(int32_t showMode, const platform::DatePicker* ucDTPicker, const platform::TextBox* txtTitle,
                const QString& dayKey, bool (*exists)(const QString& sDate, const QString& sTitle));

// Whether the person goes on with the picked day: a day before today is
// asked about first.
bool DayAccepted(const QDate& day, const QString& question);

// Stores a record: added in add mode, replaced where it stands in edit mode.
// One moved to another day is added there before it leaves the old one, so a
// failed write never loses it. An old one already gone counts as moved; when
// it cannot be removed, the new copy is taken back out so the file is as it
// was and Save can be tried again. `changed` tells whether the file differs
// from before, even when the store failed.
template <class Record>
bool Store(int32_t showMode, const Record& rec, const QString& oldDay, const QString& oldTitle,
           bool (*save)(const Record&, bool IsNew, const QString& OldTitle),
           bool (*remove)(const QString& sDate, const QString& sTitle),
           bool (*exists)(const QString& sDate, const QString& sTitle), bool& changed) {
    if (showMode == 0 || rec.Date == oldDay) {
        changed = save(rec, showMode == 0, showMode == 0 ? QString() : oldTitle);
        return changed;
    }
    changed = save(rec, true, QString());
    if (!changed)
        return false;
    if (!exists(oldDay, oldTitle) || remove(oldDay, oldTitle))
        return true;
    changed = !remove(rec.Date, rec.Title);
    return false;
}

// Shows the day a record was saved under: the Today view's lists and the
// calendar go to it.
void ShowDay(const QString& dayKey, const QDate& day);
// Shows a saved record: its kind's list is reloaded when that is the view
// showing, else its day is shown.
void ShowSaved(int32_t view, int32_t listKind, const QString& dayKey, const QDate& day);

// Closes the editor without saving once the person confirms.
void ConfirmCancel(FormCore& editor);

} // namespace day_editor
