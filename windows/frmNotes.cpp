#include "windows/frmNotes.h"

#include "controls/XPButton.h"
#include "data/cRC4.h"
#include "data/mGeneralFunctions.h"
#include "data/mNotes.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/TextBox.h"
#include "windows/EditorParts.h"
#include "windows/TitledEditor.h"

#include <QVBoxLayout>
#include <tuple>

using platform::MsgStyle;

namespace {

void information(const QString& text, const QString& title) {
    platform::MsgBox(text, MsgStyle::Information, title);
}

} // namespace

frmNotes::frmNotes() : FormWidget(QStringLiteral("frmNotes")) {
    makeFixedDialog();

    QVBoxLayout* outer = nullptr;
    QVBoxLayout* column = titled_editor::ContentColumn(this, outer);
    txtTitle = titled_editor::AddTitleBox(this, column);
    txtNote =
        editor_parts::FramedBox<platform::MultiLineTextBox>(this, column, QStringLiteral("Note ... "), "txtNote", 1);
    txtNote->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    std::tie(btnCreate, btnCancel) =
        editor_parts::AddButtons(this, column, "btnCreate", QString(), QStringLiteral("Cancel"), QSize(130, 28));
    ucSBarNotes = titled_editor::AddStatusBar(this, outer);

    connect(btnCreate, &XPButton::Click, this, &frmNotes::btnCreate_Click);
    connect(btnCancel, &XPButton::Click, this, &frmNotes::btnCancel_Click);
    resize(520, 480);
}

frmNotes* frmNotes::freshEditor() {
    // An import from the tray leaves its editor open without waiting, with a
    // text not saved anywhere yet: it gives way only when the person lets it
    // go, as its own Cancel asks.
    frmNotes* open = platform::Forms::IfLoaded<frmNotes>();
    if (open && open->isShownModeless() &&
        !(mGeneralFunctions::IsBlank(open->txtTitle->Text()) && mGeneralFunctions::IsBlank(open->txtNote->Text())) &&
        !open->cancelConfirmed()) {
        open->bringToFront();
        return nullptr;
    }
    return &titled_editor::Fresh<frmNotes>();
}

void frmNotes::AddNote() {
    frmNotes* editor = freshEditor();
    if (!editor)
        return;
    editor->ShowMode = 0;
    editor->ShowModal();
}

void frmNotes::EditNote(const QString& sTitle) {
    frmNotes* editor = freshEditor();
    if (!editor)
        return;
    editor->NoteTitle = sTitle;
    editor->ShowMode = 1;
    editor->ShowModal();
}

void frmNotes::ImportNote(const QString& text, bool modal) {
    frmNotes* fresh = freshEditor();
    if (!fresh)
        return;
    frmNotes& editor = *fresh;
    editor.ShowMode = 0;
    editor.Load();
    editor.txtNote->SetText(text);
    if (modal) {
        editor.ShowModal();
        return;
    }
    editor.Show();
    mGeneralFunctions::SetTopMost(platform::HandleOf(&editor), true);
}

void frmNotes::Form_Load() {
    if (ShowMode != 0) {
        btnCreate->setCaption(QStringLiteral("Save Changes"));
        setWindowTitle(QStringLiteral("Edit Note Details ..."));
        LoadNoteData();
        return;
    }
    // An import has already put its text into the note box; it stays.
    btnCreate->setCaption(QStringLiteral("Create New Note"));
    setWindowTitle(QStringLiteral("Create New Note ..."));
}

void frmNotes::LoadNoteData() {
    // A note that is gone has been reported by the store; its empty record
    // leaves the fields empty.
    const NoteRecord rec = mNotes::GetNote(NoteTitle);
    txtTitle->SetText(rec.Title);
    txtTitle->SetTag(rec.Title);
    txtNote->SetText(DecipherOptionalField(rec.Text));
    m_read.title = {rec.Title, txtTitle->Text()};
    m_read.text = {rec.Text, txtNote->Text()};
}

void frmNotes::btnCreate_Click() {
    if (editor_parts::TitleMissing(txtTitle, QStringLiteral("Please specify some Title for this Note.")))
        return;
    if (titled_editor::TitleTaken(ShowMode, txtTitle, QStringLiteral(".//zandor/notes"), QStringLiteral("note"))) {
        information(QStringLiteral("Note with same Title already exists. Please specify some other Title for this "
                                   "Note."),
                    QStringLiteral("Similar titled Note exists!"));
        return;
    }
    if (mGeneralFunctions::IsBlank(txtNote->Text())) {
        information(QStringLiteral("Empty Note can not be saved. Please specify some Text to be saved as Note."),
                    QStringLiteral("Note Text?"));
        return;
    }

    const QDateTime now = platform::Now();
    NoteRecord rec;
    rec.Title = m_read.title.StoredFor(txtTitle->Text(), txtTitle->Text());
    rec.Text = m_read.text.StoredFor(txtNote->Text(), EncipherField(txtNote->Text()));
    rec.Date = platform::FormatDatePattern(now.date(), QStringLiteral("dd/mm/yyyy"));
    rec.Time = platform::FormatSystemTime(now.time());

    if (titled_editor::Save(ShowMode, rec, txtTitle->Tag(), mNotes::SaveNote,
                            QStringLiteral("New Note saved successfully!"),
                            QStringLiteral("Changed saved successfully!")))
        unloadForm();
}

bool frmNotes::cancelConfirmed() {
    return platform::MsgBox(QStringLiteral("This Action will close the Dialog without saving anything to Data File. "
                                           "Are you sure you want to Cancel?"),
                            MsgStyle::YesNoQuestion, QStringLiteral("Are you sure?")) == platform::MsgAnswer::Yes;
}

void frmNotes::btnCancel_Click() {
    if (cancelConfirmed())
        unloadForm();
}
