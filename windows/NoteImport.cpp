#include "windows/NoteImport.h"

namespace mFunctions {

namespace {

NoteEditorOpener& opener() {
    static NoteEditorOpener current;
    return current;
}

} // namespace

void SetNoteEditorOpener(NoteEditorOpener newOpener) {
    opener() = std::move(newOpener);
}

void OpenNoteEditorWithText(const QString& text, bool modal) {
    if (opener())
        opener()(text, modal);
}

} // namespace mFunctions
