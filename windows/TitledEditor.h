#pragma once

#include "platform/Forms.h"

#include <QString>
#include <QVBoxLayout>
#include <cstdint>

namespace platform {
class StatusBar;
class TextBox;
} // namespace platform

// What the note and password editors share: records filed by title alone.
namespace titled_editor {

// The editor, loaded anew: one already open (an import shows the note
// editor without waiting; the note editor asks before it lets that go) is
// closed first, so its load runs again and nothing it showed carries over
// into the record opened next.
template <class Editor> Editor& Fresh() {
    if (Editor* open = platform::Forms::IfLoaded<Editor>())
        open->unloadForm();
    return platform::Forms::Get<Editor>();
}

// Whether another record under the container already has the typed title.
// In edit mode the record's own title, kept in the title box's tag, is no
// duplicate: a second record of one title would leave every later edit or
// delete acting on the first of the two.
bool TitleTaken(int32_t showMode, const platform::TextBox* txtTitle, const QString& containerPath,
                const QString& element);

// Tells the person a record was saved.
void SayDone(const QString& text);

// Saves a record through its store, then says so with added or changed: a
// new one in add mode, in edit mode the one under its old title, kept in the
// title box's tag. A save that failed has been reported; false then keeps the
// dialog open with everything as typed.
template <class Record>
bool Save(int32_t showMode, const Record& rec, const QString& oldTitle,
          bool (*store)(const Record&, bool IsNew, const QString& OldTitle), const QString& added,
          const QString& changed) {
    const bool isNew = showMode == 0;
    if (!store(rec, isNew, isNew ? QString() : oldTitle))
        return false;
    SayDone(isNew ? added : changed);
    return true;
}

// The title box, first in the column; a title holds at most 50 characters.
platform::TextBox* AddTitleBox(QWidget* dialog, QVBoxLayout* column);

// The dialog's status bar, below everything else: the product's name.
platform::StatusBar* AddStatusBar(QWidget* dialog, QVBoxLayout* outer);

// The dialog's outer column, without margins so the status bar lies along
// its edges, and the column inside it that holds the frames and buttons.
QVBoxLayout* ContentColumn(QWidget* dialog, QVBoxLayout*& outer);

} // namespace titled_editor
