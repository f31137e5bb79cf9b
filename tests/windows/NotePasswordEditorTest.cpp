#include "WindowsFixture.h"

#include "FailingWriter.h"
#include "WidgetEvents.h"
#include "controls/XPButton.h"
#include "data/mPasswords.h"
#include "platform/ui/TextBox.h"
#include "windows/frmNotes.h"
#include "windows/frmPassword.h"
#include "windows/frmSysTray.h"

#include <QLabel>
#include <type_traits>

using namespace fixture;
namespace Forms = platform::Forms;
using platform::MsgAnswer;

namespace {

QByteArray stock() {
    return data(QString(),
                note(QStringLiteral("Shopping"), QStringLiteral("01/02/2025"), QStringLiteral("09:00:00 AM"),
                     QStringLiteral("milk")) +
                    note(QStringLiteral("Work"), QStringLiteral("02/02/2025"), QStringLiteral("10:00:00 AM"),
                         QStringLiteral("report")),
                password(QStringLiteral("Bank"), QStringLiteral("jo"), QStringLiteral("s3cret!"), QString()) +
                    password(QStringLiteral("Mail"), QString(), QStringLiteral("pw1234"), QString()));
}

// One press of Save: the editor opened in a mode on a title, the fields
// typed, the answers given, and the boxes that follow.
struct SaveCase {
    const char* what;
    const char* editTitle; // null: add
    const char* title;
    const char* body; // note text, or password
    std::deque<MsgAnswer> answers;
    QStringList boxes; // "title: text" of each box, in order
    bool closes;
};

QStringList shown(const testsupport::MessageBoxResponder& r) {
    QStringList out;
    for (const auto& b : r.boxes)
        out << b.title + QStringLiteral(": ") + b.text;
    return out;
}

} // namespace

class EditorTest : public WindowsTest {
protected:
    void SetUp() override {
        WindowsTest::SetUp();
        folder.writeData(stock());
        openMain();
    }

    // Opens an editor from the dispatcher, as the side bar does, and lets act
    // work on it.
    template <class Editor> void open(const char* group, const char* item, std::function<void(Editor&)> act) {
        r->onModal = [act](QObject* w) { act(*qobject_cast<Editor*>(w)); };
        mFunctions::HandleOptionBarItems(QLatin1String(group), QLatin1String(item));
    }
    void editPassword(const QString& title, std::function<void(frmPassword&)> act) {
        platform::ListView* list = showRecordList("sh_pwd");
        for (int i = 1; i <= list->ListItems().Count(); ++i)
            if (list->ListItems().Item(i)->Text() == title)
                selectRow(list, i);
        open<frmPassword>("pwd", "pwd_edit", act);
    }
    void editNote(const QString& title, std::function<void(frmNotes&)> act) {
        platform::ListView* list = showRecordList("sh_note");
        for (int i = 1; i <= list->ListItems().Count(); ++i)
            if (list->ListItems().Item(i)->SubItems(2) == title)
                selectRow(list, i);
        open<frmNotes>("note", "note_edit", act);
    }
    void closeEditors() {
        if (auto* e = Forms::IfLoaded<frmNotes>())
            e->unloadForm();
        if (auto* e = Forms::IfLoaded<frmPassword>())
            e->unloadForm();
    }

    // Presses Save once a case, each on the stock data: the boxes shown in
    // order, whether the editor closed, and a file left as it was when not.
    template <class Editor, class Box, size_t N> void runSaveCases(const SaveCase (&cases)[N], Box* Editor::*body) {
        constexpr bool notes = std::is_same_v<Editor, frmNotes>;
        for (const SaveCase& c : cases) {
            SCOPED_TRACE(c.what);
            folder.writeData(stock());
            const QByteArray before = folder.readData();
            r->clear();
            r->answers = c.answers;
            std::function<void(Editor&)> act = [&c, body](Editor& e) {
                e.txtTitle->SetText(QLatin1String(c.title));
                (e.*body)->SetText(QLatin1String(c.body));
                e.btnCreate_Click();
            };
            if (!c.editTitle)
                open<Editor>(notes ? "note" : "pwd", notes ? "note_add" : "pwd_add", act);
            else if constexpr (notes)
                editNote(QLatin1String(c.editTitle), act);
            else
                editPassword(QLatin1String(c.editTitle), act);
            EXPECT_EQ(shown(*r), c.boxes);
            EXPECT_EQ(Forms::IfLoaded<Editor>() == nullptr, c.closes);
            if (!c.closes) {
                EXPECT_EQ(folder.readData(), before);
            }
            closeEditors();
        }
    }
};

TEST_F(EditorTest, NoteSaveChecksRunInOrderAndTitlesStayUnique) {
    const QString dup = QStringLiteral("Similar titled Note exists!: Note with same Title already exists. Please "
                                       "specify some other Title for this Note.");
    const QString title = QStringLiteral("Title?: Please specify some Title for this Note.");
    const QString text = QStringLiteral("Note Text?: Empty Note can not be saved. Please specify some Text to be "
                                        "saved as Note.");
    const SaveCase cases[] = {
        {"blank title first", nullptr, "  ", " ", {}, {title}, false},
        {"duplicate before blank text", nullptr, "Shopping", "", {}, {dup}, false},
        {"blank text", nullptr, "New", "   ", {}, {text}, false},
        {"letter case differs", nullptr, "shopping", "eggs", {}, {"Done!: New Note saved successfully!"}, true},
        {"edit onto another's title", "Shopping", "Work", "eggs", {}, {dup}, false},
        {"edit keeps its own title", "Shopping", "Shopping", "eggs", {}, {"Done!: Changed saved successfully!"}, true},
        {"edit blank text", "Work", "Work", "", {}, {text}, false},
    };
    runSaveCases(cases, &frmNotes::txtNote);
}

TEST_F(EditorTest, PasswordSaveChecksRunInOrderAndAskAboutShortPasswords) {
    const QString dup = QStringLiteral("Same titled Password exists!: Password information with same Title already "
                                       "exists.");
    const QString question = QStringLiteral("Password is too small. Continue?: The Length of the Password you "
                                            "specified is only 4, which is too less than usual Password lengths (at "
                                            "least 8 characters). Would you like to continue with specified Password?");
    const QString added = QStringLiteral("Done!: New Password Details added successfully!");
    const SaveCase cases[] = {
        {"blank title first", nullptr, " ", "", {}, {"Title?: Please specify Title."}, false},
        {"duplicate before blank password", nullptr, "Bank", "", {}, {dup}, false},
        {"password of blanks",
         nullptr,
         "New",
         "     ",
         {},
         {"Password?: Please specify the Password which you want to save."},
         false},
        {"four characters, No", nullptr, "New", "abcd", {MsgAnswer::No}, {question}, false},
        {"four with spaces, Yes", nullptr, "New", " ab ", {MsgAnswer::Yes}, {question, added}, true},
        {"five characters ask nothing", nullptr, "New", "abcde", {}, {added}, true},
        {"edit onto another's title", "Bank", "Mail", "abcdef", {}, {dup}, false},
        {"edit keeps its own title", "Bank", "Bank", "abcdef", {}, {"Done!: Changes saved successfully!"}, true},
    };
    runSaveCases(cases, &frmPassword::txtPassword);
}

TEST_F(EditorTest, NewNoteIsStampedEncipheredAndShownInTheNotesList) {
    showRecordList("sh_note");
    QString opened;
    open<frmNotes>("note", "note_add", [&](frmNotes& e) {
        opened = e.windowTitle() + QLatin1Char('|') + e.btnCreate->Caption() + QLatin1Char('|') + e.txtTitle->Text();
        e.txtTitle->SetText(QStringLiteral(" Ideas "));
        e.txtNote->SetText(QStringLiteral("one\r\ntwo"));
        e.btnCreate_Click();
    });
    EXPECT_EQ(opened, QStringLiteral("Create New Note ...|Create New Note|"));
    EXPECT_TRUE(savedData().contains(QStringLiteral("<note title=\" Ideas \"><date>07/03/2025</date><time>02:05:09 "
                                                    "PM</time><lastedit>07/03/2025; 02:05:09 PM</lastedit><text>") +
                                     EncipherField(QStringLiteral("one\r\ntwo")) + QStringLiteral("</text></note>")));
    EXPECT_EQ(Forms::IfLoaded<frmDisplay>()->lstData->ListItems().Count(), 3);

    // Renamed in edit mode, the note keeps its creation stamp; an opener's
    // text stays in a create, as an import leaves it.
    editNote(QStringLiteral("Work"), [&](frmNotes& e) {
        opened = e.windowTitle() + QLatin1Char('|') + e.btnCreate->Caption() + QLatin1Char('|') + e.txtNote->Text();
        e.txtTitle->SetText(QStringLiteral("Job"));
        e.btnCreate_Click();
    });
    EXPECT_EQ(opened, QStringLiteral("Edit Note Details ...|Save Changes|report"));
    EXPECT_TRUE(savedData().contains(QStringLiteral("<note title=\"Job\"><date>02/02/2025</date><time>10:00:00 AM")));
    frmNotes& imported = Forms::Get<frmNotes>();
    imported.txtNote->SetText(QStringLiteral("from a file"));
    r->onModal = [&](QObject*) { opened = imported.txtTitle->Text() + QLatin1Char('|') + imported.txtNote->Text(); };
    imported.ShowModal();
    EXPECT_EQ(opened, QStringLiteral("|from a file"));
}

TEST_F(EditorTest, PasswordEntryStoresItsFieldsAndALongerStoredPasswordSurvives) {
    open<frmPassword>("pwd", "pwd_add", [](frmPassword& e) {
        EXPECT_EQ(e.windowTitle() + e.btnCreate->Caption(),
                  QStringLiteral("Add New Password Details ...&Save Details"));
        e.txtTitle->SetText(QStringLiteral("Shop"));
        e.txtUserName->SetText(QStringLiteral("  "));
        e.txtPassword->SetText(QStringLiteral("hunter22"));
        e.txtURL->SetText(QStringLiteral("shop.example.com"));
        e.txtNotes->SetText(QStringLiteral("pin 1234"));
        e.btnCreate_Click();
    });
    EXPECT_TRUE(savedData().contains(QStringLiteral("<password title=\"Shop\"><uname>  </uname><pwd>") +
                                     EncipherField(QStringLiteral("hunter22")) +
                                     QStringLiteral("</pwd><url>shop.example.com</url><anote>") +
                                     EncipherField(QStringLiteral("pin 1234")) + QStringLiteral("</anote>")));

    // A password longer than the box takes, written elsewhere, survives an
    // edit of another field; typing cannot lengthen it further.
    const QString longPassword(30, QLatin1Char('k'));
    mPasswords::SavePassword({QStringLiteral("Bank"), EncipherField(QStringLiteral("jo")), EncipherField(longPassword),
                              QString(), QString()},
                             false, QStringLiteral("Bank"));
    editPassword(QStringLiteral("Bank"), [&](frmPassword& e) {
        EXPECT_EQ(e.txtPassword->Text(), longPassword);
        e.txtPassword->end(false);
        widgetevents::type(e.txtPassword, QStringLiteral("x"));
        widgetevents::type(e.txtUserName, QStringLiteral("e"));
        e.txtURL->SetText(QStringLiteral("bank.example.com"));
        e.btnCreate_Click();
    });
    const PasswordRecord stored = mPasswords::GetPassword(QStringLiteral("Bank"));
    EXPECT_EQ(DecipherField(stored.Password), longPassword);
    EXPECT_EQ(DecipherField(stored.UserName), QStringLiteral("joe"));
    EXPECT_EQ(stored.URL, QStringLiteral("bank.example.com"));
}

TEST_F(EditorTest, AFailedSaveKeepsEitherEditorOpenWithoutSuccess) {
    testsupport::FailingWriter disk;
    open<frmNotes>("note", "note_add", [&disk](frmNotes& e) {
        e.txtTitle->SetText(QStringLiteral("Never"));
        e.txtNote->SetText(QStringLiteral("written"));
        disk.failNext();
        e.btnCreate_Click();
    });
    editPassword(QStringLiteral("Mail"), [&disk](frmPassword& e) {
        e.txtPassword->SetText(QStringLiteral("changed!"));
        disk.failNext();
        e.btnCreate_Click();
    });
    EXPECT_FALSE(r->sawTitle(QStringLiteral("Done!")));
    ASSERT_NE(Forms::IfLoaded<frmNotes>(), nullptr);
    ASSERT_NE(Forms::IfLoaded<frmPassword>(), nullptr);
    EXPECT_EQ(Forms::IfLoaded<frmNotes>()->txtNote->Text(), QStringLiteral("written"));
    EXPECT_EQ(Forms::IfLoaded<frmPassword>()->txtPassword->Text(), QStringLiteral("changed!"));
    EXPECT_EQ(folder.readData(), stock());
}

TEST_F(EditorTest, PasswordLabelMasksAndCancelsDifferPerEditor) {
    editPassword(QStringLiteral("Bank"), [](frmPassword& e) {
        EXPECT_EQ(e.txtPassword->PasswordChar(), QString());
        widgetevents::click(e.lblInfo[0], QPointF(2, 2));
        EXPECT_EQ(e.txtPassword->PasswordChar(), QString());
        widgetevents::click(e.lblInfo[1], QPointF(2, 2));
        EXPECT_EQ(e.txtPassword->PasswordChar(), QStringLiteral("*"));
        EXPECT_EQ(e.txtPassword->echoMode(), QLineEdit::Password);
        widgetevents::click(e.lblInfo[1], QPointF(2, 2));
        EXPECT_EQ(e.txtPassword->echoMode(), QLineEdit::Normal);
        e.btnCancel_Click();
    });
    EXPECT_TRUE(r->boxes.empty());
    EXPECT_EQ(Forms::IfLoaded<frmPassword>(), nullptr);

    open<frmNotes>("note", "note_add", [](frmNotes& e) { e.btnCancel_Click(); });
    EXPECT_EQ(r->last().title, QStringLiteral("Are you sure?"));
    ASSERT_NE(Forms::IfLoaded<frmNotes>(), nullptr);
    r->answers = {MsgAnswer::Yes};
    Forms::IfLoaded<frmNotes>()->btnCancel_Click();
    EXPECT_EQ(Forms::IfLoaded<frmNotes>(), nullptr);
    EXPECT_EQ(folder.readData(), stock());
}

TEST_F(EditorTest, AddsOpenFromEveryViewAndTheTray) {
    QStringList opened;
    r->onModal = [&](QObject* w) {
        opened << w->objectName() + QLatin1Char(':') + qobject_cast<QWidget*>(w)->windowTitle();
        qobject_cast<QWidget*>(w)->close();
    };
    for (const char* view : {"sh_today", "sh_task", "sh_note", "sh_pwd"}) {
        mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QLatin1String(view));
        mFunctions::HandleOptionBarItems(QStringLiteral("NOTE"), QStringLiteral("note_add"));
        mFunctions::HandleOptionBarItems(QStringLiteral("pwd"), QStringLiteral("PWD_ADD"));
    }
    frmMain& main = *Forms::IfLoaded<frmMain>();
    main.oSysTray_MenuClick(4, QStringLiteral("note_add"));
    main.oSysTray_MenuClick(5, QStringLiteral("pwd_add"));
    ASSERT_EQ(opened.size(), 10);
    EXPECT_EQ(opened.count(QStringLiteral("frmNotes:Create New Note ...")), 5);
    EXPECT_EQ(opened.count(QStringLiteral("frmPassword:Add New Password Details ...")), 5);

    // With no notes row selected, "Edit selected Note" opens no editor and
    // fails as every other edit does.
    opened.clear();
    showRecordList("sh_note");
    mFunctions::HandleOptionBarItems(QStringLiteral("note"), QStringLiteral("note_edit"));
    EXPECT_EQ(opened, QStringList{});
    EXPECT_EQ(r->last().title, QStringLiteral("Error::HandleOptionBarItems)"));
}
