#pragma once

#include "windows/FormBase.h"
#include "windows/ReadValue.h"

#include <QString>
#include <cstdint>

class XPButton;
namespace platform {
class MultiLineTextBox;
class StatusBar;
class TextBox;
} // namespace platform

// The dialog that writes a new note or edits the note of a title. The opener
// sets ShowMode (0 create, 1 edit) and, to edit, NoteTitle, then shows it
// modally. An import puts its text into txtNote before a create: the load
// leaves it there.
class frmNotes : public FormWidget {
    Q_OBJECT
public:
    frmNotes();

    int32_t ShowMode = 0;
    QString NoteTitle;

    // Shows the default editor modally, to create a note or on a stored one.
    static void AddNote();
    static void EditNote(const QString& sTitle);
    // Opens the editor to create a note holding an imported text: modally
    // over the main window, or without waiting and above every window, as the
    // main window may be hidden when the import comes from the tray.
    static void ImportNote(const QString& text, bool modal);

    // Fills the fields from the stored note titled NoteTitle.
    void LoadNoteData();

    platform::TextBox* txtTitle = nullptr;
    platform::MultiLineTextBox* txtNote = nullptr;
    XPButton* btnCreate = nullptr;
    XPButton* btnCancel = nullptr;
    platform::StatusBar* ucSBarNotes = nullptr;

    void btnCreate_Click();
    void btnCancel_Click();

protected:
    void Form_Load() override;

private:
    // The default editor, loaded anew, or none when the person keeps the one
    // that is open.
    static frmNotes* freshEditor();
    // Asks whether to close the dialog without saving.
    bool cancelConfirmed();

    // What edit mode read, so the values the person leaves as they were are
    // saved as read.
    struct {
        ReadValue title, text;
    } m_read;
};
