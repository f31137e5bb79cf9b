#pragma once

#include <QString>
#include <functional>

// The way from a note import to the note editor: the imported text is put
// into the editor's note box and the editor opens to create a new note, so
// the person gives the title and saves it there.
namespace mFunctions {

// modal: shown modally over the main window; otherwise shown without waiting
// and put above every window, as the main window may be hidden.
using NoteEditorOpener = std::function<void(const QString& text, bool modal)>;

// The note editor installs its opener; until then an import opens nothing.
void SetNoteEditorOpener(NoteEditorOpener opener);
void OpenNoteEditorWithText(const QString& text, bool modal);

} // namespace mFunctions
