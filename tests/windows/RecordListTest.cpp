#include "WindowsFixture.h"

#include "EventLoop.h"
#include "WidgetEvents.h"

#include "platform/Clipboard.h"
#include "platform/Twips.h"
#include "platform/ui/TextBox.h"
#include "windows/CommandDispatcher.h"
#include "windows/Geometry.h"
#include "windows/HeaderStrip.h"
#include "windows/ListLoaders.h"
#include "windows/frmDisplay.h"
#include "windows/frmNotes.h"
#include "windows/frmSideBar.h"
#include "windows/frmTasks.h"
#include "windows/frmToday.h"

#include <QLabel>
#include <QScrollBar>
#include <functional>

using namespace fixture;
namespace Forms = platform::Forms;
using platform::ListView;
using platform::MsgAnswer;

namespace {

QByteArray everyKind() {
    return data(
        day(QStringLiteral("15-01-2025"),
            task(QStringLiteral("Taxes"), "1", "2", QStringLiteral("Collect every receipt of the last year")),
            meeting(QStringLiteral("Review"), "2", "4", QStringLiteral("10:00:00 AM"), QStringLiteral("11:00:00 AM"))) +
            day(QStringLiteral("02-03-2025"), task(QStringLiteral("Call Jo"), "3", "0", QStringLiteral("   "))),
        note(QStringLiteral("Recipe"), QStringLiteral("07/03/2025"), QStringLiteral("09:30:00 AM"),
             QStringLiteral("Flour, eggs and a long list of other things")) +
            note(QStringLiteral("Old"), QStringLiteral("01/02/2024"), QStringLiteral("08:00:00 PM"),
                 QStringLiteral("short")),
        password(QStringLiteral("Bank"), QStringLiteral("jo"), QStringLiteral("s3cret"),
                 QStringLiteral("bank.example.com")) +
            password(QStringLiteral("Mail"), QString(), QStringLiteral("pw"), QStringLiteral("/usr/bin/xterm")));
}

} // namespace

TEST_F(WindowsTest, RecordListColumnsAndRowsPerView) {
    folder.writeData(everyKind());
    frmMain& main = openMain();

    mFunctions::HandleOptionBarItems(QStringLiteral("Special Group"), QStringLiteral("sh_task"));
    frmDisplay* display = Forms::IfLoaded<frmDisplay>();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(Forms::IfLoaded<frmToday>(), nullptr);
    EXPECT_EQ(main.FrontChild(), display);
    EXPECT_EQ(display->lblHeader->text(), QStringLiteral("Veltrane :: Tasks"));
    EXPECT_EQ(columns(display->lstData), (QStringList{"Date", "Title", "Status", "Priority", "Description"}));
    // Days sort by the day itself: 15-01-2025 comes before 02-03-2025.
    EXPECT_EQ(rows(display->lstData, 4),
              (QStringList{"15-01-2025|Taxes|Waiting for someone else|High|Collect every receipt of the l ...",
                           "02-03-2025|Call Jo|Not Started|Low|   "}));
    EXPECT_EQ(display->lstData->ListItems().Item(1)->Icon(), 1);
    EXPECT_FALSE(display->lstData->ListItems().Item(1)->Bold());
    EXPECT_NE(display->lstData->ListItems().Item(1)->ForeColor(), 1127859);
    // The title takes its share of what the day column leaves.
    EXPECT_NEAR(
        display->lstData->ColumnHeaders().Item(2).Width(),
        (geometry::ColumnsWidth(display->lstData) - display->lstData->ColumnHeaders().Item(1).Width()) * 0.3 / 0.9, 15);
    // However narrow the list, a day key fits its column.
    display->resize(300, 400);
    const int dayColumn = display->lstData->ColumnHeaders().Item(1).Width();
    EXPECT_GE(platform::TwipsToPixelsX(dayColumn),
              display->lstData->fontMetrics().horizontalAdvance(QStringLiteral("15-01-2025")) + 16);

    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("SH_MTG"));
    display = Forms::IfLoaded<frmDisplay>();
    EXPECT_EQ(display->lblHeader->text(), QStringLiteral("Veltrane :: Meetings"));
    EXPECT_EQ(columns(display->lstData),
              (QStringList{"Date", "Title", "Meeting For", "Priority", "Start Time", "End Time", "Description"}));
    EXPECT_EQ(rows(display->lstData, 6),
              QStringList{"15-01-2025|Review|Project Planning|Normal|10:00:00 AM|11:00:00 AM|"});
    EXPECT_FALSE(display->picDescContainer->isVisible());

    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_note"));
    display = Forms::IfLoaded<frmDisplay>();
    EXPECT_EQ(columns(display->lstData), (QStringList{"Date", "Time", "Title", "Last Saved", "Note"}));
    EXPECT_EQ(display->lstData->ColumnHeaders().Item(5).Width(), 0);
    EXPECT_EQ(
        rows(display->lstData, 4),
        (QStringList{"01/02/2024|08:00:00 PM|Old|01/02/2024; 08:00:00 PM|short",
                     "07/03/2025|09:30:00 AM|Recipe|07/03/2025; 09:30:00 AM|Flour, eggs and a long list of ..."}));
    EXPECT_TRUE(display->picDescContainer->isVisible());
    EXPECT_EQ(display->lstData->ListItems().Item(1)->Icon(), 3);

    // A day in the calendar keeps the notes created that day; the creation
    // date is compared as a date.
    Forms::IfLoaded<frmSideBar>()->ucCalender_DateClick(today);
    EXPECT_EQ(rows(display->lstData, 2), QStringList{"07/03/2025|09:30:00 AM|Recipe"});
    mFunctions::LoadNotesList(QStringLiteral("08-03-2025"));
    EXPECT_EQ(display->lstData->ListItems().Count(), 0);

    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_pwd"));
    display = Forms::IfLoaded<frmDisplay>();
    EXPECT_EQ(columns(display->lstData), (QStringList{"Title", "User Name", "Password", "URL"}));
    EXPECT_EQ(rows(display->lstData, 3), (QStringList{"Bank|jo|******|bank.example.com", "Mail||**|/usr/bin/xterm"}));
    EXPECT_EQ(display->lstData->ListItems().Item(1)->Tag(), QStringLiteral("s3cret"));
    EXPECT_EQ(display->lstData->ListItems().Item(1)->Icon(), 4);
}

TEST_F(WindowsTest, EveryRecordListsColumnsShareTheListsWidthWithoutScrollingSideways) {
    folder.writeData(everyKind());
    openMain();
    for (const char* item : {"sh_task", "sh_mtg", "sh_note", "sh_pwd"}) {
        platform::ListView* list = showRecordList(item);
        for (int width : {900, 300}) {
            SCOPED_TRACE(std::string(item) + " at " + std::to_string(width));
            Forms::IfLoaded<frmDisplay>()->resize(width, 500);
            fixture::drain();
            const double inside = geometry::ColumnsWidth(list);
            double total = 0;
            for (int i = 1; i <= list->ColumnHeaders().Count(); ++i)
                total += list->ColumnHeaders().Item(i).Width();
            EXPECT_NEAR(total, inside, list->ColumnHeaders().Count() * 15);
            // The list lays its columns out once its events have run.
            EXPECT_TRUE(testsupport::RunEventsUntil([list]() { return list->horizontalScrollBar()->maximum() == 0; }));
        }
    }
}

TEST_F(WindowsTest, CalendarDayFiltersTheScheduleListsUntilShowAllAgain) {
    folder.writeData(everyKind());
    openMain();
    frmSideBar& bar = *Forms::IfLoaded<frmSideBar>();
    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_task"));
    bar.ucCalender_DateClick(QDate(2025, 1, 15));
    frmDisplay* display = Forms::IfLoaded<frmDisplay>();
    EXPECT_EQ(display->lblHeader->text(), QStringLiteral("Veltrane :: Tasks"));
    EXPECT_EQ(rows(display->lstData, 1), QStringList{"15-01-2025|Taxes"});
    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_task"));
    EXPECT_EQ(Forms::IfLoaded<frmDisplay>()->lstData->ListItems().Count(), 2);

    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_mtg"));
    bar.ucCalender_DateClick(QDate(2025, 3, 2));
    EXPECT_EQ(Forms::IfLoaded<frmDisplay>()->lstData->ListItems().Count(), 0);
}

TEST_F(WindowsTest, PasswordsShownOrMaskedFromTheMenu) {
    folder.writeData(everyKind());
    frmMain& main = openMain();
    QAction* show = main.Entry(QStringLiteral("mnuPasswordShow"));

    // From the Today view, with no record list, nothing happens.
    main.mnuPasswordShow_Click();
    EXPECT_FALSE(platform::MenuChecked(show));
    EXPECT_EQ(mFunctions::CurrentView(), mFunctions::ViewToday);

    // From the tasks list with a row selected, it switches to the passwords
    // and reveals them.
    ListView* list = showRecordList("sh_task");
    selectRow(list, 1);
    main.mnuPasswordShow_Click();
    EXPECT_EQ(mFunctions::CurrentView(), mFunctions::ViewPasswords);
    EXPECT_TRUE(platform::MenuChecked(show));
    list = Forms::IfLoaded<frmDisplay>()->lstData;
    EXPECT_EQ(rows(list, 2), (QStringList{"Bank|jo|s3cret", "Mail||pw"}));

    // The loader follows the check mark; choosing it again masks.
    mFunctions::LoadPasswordsList();
    EXPECT_EQ(list->ListItems().Item(1)->SubItems(2), QStringLiteral("s3cret"));
    selectRow(list, 2);
    main.mnuPasswordShow_Click();
    EXPECT_FALSE(platform::MenuChecked(show));
    EXPECT_EQ(rows(list, 2), (QStringList{"Bank|jo|******", "Mail||**"}));
}

TEST_F(WindowsTest, PasswordShortcutsCopyAndOpenOnlyWebAddresses) {
    folder.writeData(everyKind());
    testsupport::FakeOpener opened;
    openMain();
    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_pwd"));
    frmDisplay& display = *Forms::IfLoaded<frmDisplay>();
    ListView* list = display.lstData;
    selectRow(list, 1);

    platform::ClipboardSetText(QStringLiteral("before"));
    display.lstData_MouseDown(ListView::vbLeftButton, ListView::vbCtrlMask, 0, 0);
    EXPECT_EQ(platform::ClipboardGetText(), QStringLiteral("jo"));
    display.lstData_MouseDown(ListView::vbLeftButton, ListView::vbAltMask, 0, 0);
    EXPECT_EQ(platform::ClipboardGetText(), QStringLiteral("s3cret"));
    display.lstData_MouseDown(ListView::vbLeftButton, ListView::vbCtrlMask | ListView::vbShiftMask, 0, 0);
    display.lstData_MouseDown(ListView::vbLeftButton, 0, 0, 0);
    EXPECT_EQ(platform::ClipboardGetText(), QStringLiteral("s3cret"));
    EXPECT_TRUE(opened.urls().isEmpty());

    // Shift opens the address, given "http://" when it has no scheme.
    display.lstData_MouseDown(ListView::vbLeftButton, ListView::vbShiftMask, 0, 0);
    EXPECT_EQ(opened.urls(), QStringList{"http://bank.example.com"});
    EXPECT_TRUE(r->boxes.empty());

    // A blank user name leaves the clipboard as it was; a path to a program
    // is never handed to the desktop.
    selectRow(list, 2);
    display.lstData_MouseDown(ListView::vbLeftButton, ListView::vbCtrlMask, 0, 0);
    EXPECT_EQ(platform::ClipboardGetText(), QStringLiteral("s3cret"));
    display.lstData_MouseDown(ListView::vbLeftButton, ListView::vbShiftMask, 0, 0);
    EXPECT_EQ(opened.urls().size(), 1);
    ASSERT_EQ(r->boxes.size(), 1u);
    EXPECT_EQ(r->last().title, QStringLiteral("URL can not be opened!"));
    EXPECT_EQ(r->last().style, platform::MsgStyle::Information);

    // Other addresses: web and mail schemes pass, others and paths do not.
    auto tryUrl = [&](const QString& url) {
        list->ListItems().Item(2)->SetSubItems(3, url);
        opened.clear();
        mFunctions::PasswordItemAction(mFunctions::OpenUrl, list->ListItems().Item(2));
        return opened.urls().value(0);
    };
    EXPECT_EQ(tryUrl(QStringLiteral("https://example.org/login")), QStringLiteral("https://example.org/login"));
    EXPECT_EQ(tryUrl(QStringLiteral("mailto:jo@example.org")), QStringLiteral("mailto:jo@example.org"));
    EXPECT_EQ(tryUrl(QStringLiteral("intranet:8080/wiki")), QStringLiteral("http://intranet:8080/wiki"));
    EXPECT_EQ(tryUrl(QStringLiteral("file:///etc/passwd")), QString());
    EXPECT_EQ(tryUrl(QStringLiteral("C:\\Windows\\calc.exe")), QString());
    EXPECT_EQ(tryUrl(QStringLiteral("~/bin/run.sh")), QString());

    // The shortcuts act only in the passwords view.
    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_task"));
    frmDisplay& tasks = *Forms::IfLoaded<frmDisplay>();
    selectRow(tasks.lstData, 1);
    tasks.lstData_MouseDown(ListView::vbLeftButton, ListView::vbCtrlMask, 0, 0);
    EXPECT_EQ(platform::ClipboardGetText(), QStringLiteral("s3cret"));
}

TEST_F(WindowsTest, RightClickPopsUpTheMenuOfTheView) {
    folder.writeData(everyKind());
    frmMain& main = openMain();
    bool priorityShown = false;
    popups.answerWith([&](QMenu* menu, const QPoint&) {
        poppedUp << menu->objectName();
        if (menu == main.pupMeetToday)
            priorityShown = main.Entry(QStringLiteral("pupMeetTodayChnageP"))->isVisible() &&
                            main.Entry(QStringLiteral("pupMeetTodayLine2"))->isVisible();
    });
    for (const char* item : {"sh_task", "sh_mtg", "sh_note", "sh_pwd"}) {
        mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QLatin1String(item));
        Forms::IfLoaded<frmDisplay>()->lstData_MouseDown(ListView::vbRightButton, 0, 0, 0);
    }
    EXPECT_EQ(poppedUp, (QStringList{"pupTaskToday", "pupMeetToday", "mnuNotes", "mnuPassword"}));
    // The all-meetings list offers "Change Priority".
    EXPECT_TRUE(priorityShown);
    // The notes menu pops up whole.
    EXPECT_EQ(main.mnuNotes->actions().size(), 6);
}

TEST_F(WindowsTest, NoteRowClickRemembersItsTitle) {
    folder.writeData(everyKind());
    openMain();
    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_note"));
    frmDisplay& display = *Forms::IfLoaded<frmDisplay>();
    display.lstData_ItemClick(display.lstData->ListItems().Item(2));
    EXPECT_EQ(display.DateParam, QStringLiteral("07/03/2025"));
    EXPECT_EQ(display.TitleParam, QStringLiteral("Recipe"));
    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_task"));
    frmDisplay& tasks = *Forms::IfLoaded<frmDisplay>();
    tasks.lstData_ItemClick(tasks.lstData->ListItems().Item(2));
    EXPECT_EQ(tasks.DateParam, QStringLiteral("02-03-2025"));
    EXPECT_EQ(tasks.TitleParam, QStringLiteral("Call Jo"));
}

TEST_F(WindowsTest, MissingContainersEndTheProgramWithTheirMessages) {
    folder.writeData(QByteArray("<?xml version=\"1.0\"?>\n<zandor><passwords/></zandor>"));
    openMain();
    mFunctions::SetCurrentView(mFunctions::ViewNotes);
    EXPECT_THROW(mFunctions::LoadNotesList(QString()), platform::ProcessEnded);
    ASSERT_EQ(r->boxes.size(), 2u);
    EXPECT_EQ(r->boxes[0].title, QStringLiteral("Error in Accssing Notes!"));
    EXPECT_EQ(r->boxes[1].title, QStringLiteral("Closing Application ..."));
    EXPECT_EQ(r->boxes[1].style, platform::MsgStyle::Critical);
    EXPECT_TRUE(platform::Forms::Loaded().empty());
}

TEST_F(WindowsTest, DayWithoutItsMeetingsStopsTheFillWithAMessage) {
    folder.writeData(data(
        day(QStringLiteral("01-01-2025"), task(QStringLiteral("A"), "2", "0")) +
        QStringLiteral("<date d=\"02-01-2025\"><tasks/></date>") +
        day(QStringLiteral("03-01-2025"), QString(),
            meeting(QStringLiteral("M"), "2", "0", QStringLiteral("09:00:00 AM"), QStringLiteral("10:00:00 AM")))));
    openMain();
    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_mtg"));
    ASSERT_EQ(r->boxes.size(), 1u);
    EXPECT_EQ(r->last().title, QStringLiteral("Schedule Information access failed!"));
    EXPECT_EQ(Forms::IfLoaded<frmDisplay>()->lstData->ListItems().Count(), 0);
    EXPECT_FALSE(platform::Forms::Loaded().empty());
}

// Where a list's row shows, to click it.
QPointF rowCentre(ListView* list, int index) {
    return list->visualRect(list->model()->index(index - 1, 0)).center();
}

TEST_F(WindowsTest, NoteRowClickShowsItsTextInThePreview) {
    folder.writeData(everyKind());
    openMain();
    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_note"));
    frmDisplay& display = *Forms::IfLoaded<frmDisplay>();
    widgetevents::click(display.lstData->viewport(), rowCentre(display.lstData, 2));
    EXPECT_EQ(display.lblNoteInfo->text(),
              QStringLiteral(":: Note Description (Last Saved : 07/03/2025 at 09:30:00 AM):"));
    EXPECT_EQ(display.txtQuickDesc->Text(), QStringLiteral("Flour, eggs and a long list of other things"));
}

TEST_F(WindowsTest, RemovesOfNotesPasswordsAndMeetingsAskAndReload) {
    folder.writeData(everyKind());
    openMain();
    r->answers = {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes};

    mFunctions::HandleOptionBarItems(QStringLiteral("special group"), QStringLiteral("sh_note"));
    // A list filtered to one day shows every note again after a delete.
    mFunctions::LoadNotesList(QStringLiteral("07-03-2025"));
    ListView* list = Forms::IfLoaded<frmDisplay>()->lstData;
    selectRow(list, 1);
    mFunctions::HandleOptionBarItems(QStringLiteral("note"), QStringLiteral("note_del"));
    EXPECT_EQ(r->last().text, QStringLiteral("Are you sure you want to Delete selected Note?"));
    EXPECT_EQ(rows(list, 2), QStringList{"01/02/2024|08:00:00 PM|Old"});

    list = showRecordList("sh_pwd");
    selectRow(list, 2);
    mFunctions::HandleOptionBarItems(QStringLiteral("pwd"), QStringLiteral("pwd_del"));
    EXPECT_EQ(r->last().text, QStringLiteral("Are you sure you want to Delete selected Password Information?"));
    EXPECT_EQ(rows(list, 0), QStringList{"Bank"});

    list = showRecordList("sh_mtg");
    selectRow(list, 1);
    mFunctions::HandleOptionBarItems(QStringLiteral("mtg"), QStringLiteral("mtg_del"));
    EXPECT_EQ(r->last().text, QStringLiteral("Are you sure you want to remove selected Meeting Schedule?"));
    EXPECT_EQ(list->ListItems().Count(), 0);
    EXPECT_FALSE(folder.readData().contains("Review"));
}

TEST_F(WindowsTest, TaskRowsShowTheirFieldsHoweverTheFileHoldsThem) {
    const QString cipher = EncipherField(QStringLiteral("Pack the boxes for the move to the new flat"));
    const struct {
        QString task;
        const char* row;
    } cases[] = {
        // A title left empty by another program, first, so it is the list's first text.
        {QStringLiteral("<task title=\"\"><priority>2</priority><status>1</status><desc/></task>"),
         "|In Progress|Normal|"},
        {task(QStringLiteral("Plain"), "1", "2", QStringLiteral("Short")), "Plain|Waiting for someone else|High|Short"},
        {task(QStringLiteral("Caf\u00e9 \u2615"), " 0 ", "9",
              QStringLiteral("\u041f\u0435\u0440\u0435\u0435\u0437\u0434 "
                             "\u2014 \u0441\u043e\u0431\u0440\u0430\u0442"
                             "\u044c \u0432\u0441\u0435 \u043a\u043e\u0440"
                             "\u043e\u0431\u043a\u0438 \u0438 \u0432\u0435"
                             "\u0449\u0438")),
         "Caf\u00e9 \u2615|- Unknown -|Urgent|\u041f\u0435\u0440\u0435\u0435\u0437\u0434 \u2014 "
         "\u0441\u043e\u0431\u0440"
         "\u0430\u0442\u044c \u0432\u0441\u0435 \u043a\u043e\u0440\u043e\u0431\u043a\u0438  ..."},
        // The description in two pieces, text and a CDATA section, reads whole.
        {QStringLiteral("<task title=\"Pieces\"><priority>3</priority><status>4</status><desc>%1<![CDATA[%2]]></desc>"
                        "<remarks/></task>")
             .arg(cipher.left(20), cipher.mid(20)),
         "Pieces|Completed|Low|Pack the boxes for the move to ..."},
        {QStringLiteral("<task title=\"Bare\"><priority>2</priority><status>1</status></task>"),
         "Bare|In Progress|Normal|"},
    };
    QString tasks;
    for (const auto& c : cases)
        tasks += c.task;
    folder.writeData(data(day(QStringLiteral("15-01-2025"), tasks)));
    openMain();
    mFunctions::HandleOptionBarItems(QStringLiteral("Special Group"), QStringLiteral("sh_task"));
    const QStringList shown = rows(Forms::IfLoaded<frmDisplay>()->lstData, 4);
    ASSERT_EQ(shown.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(shown[static_cast<qsizetype>(i)], QStringLiteral("15-01-2025|") + QString::fromUtf8(cases[i].row));
}

TEST_F(WindowsTest, RecordListsSortByTheDayItselfAcrossAYearsEnd) {
    // Filed out of order, one day written without its zeros; within a day the
    // records keep the order filed.
    const QString m = QStringLiteral("09:00:00 AM"), e = QStringLiteral("10:00:00 AM");
    folder.writeData(data(day(QStringLiteral("04-01-2027"), task(QStringLiteral("Plan the year"), "2", "0"),
                              meeting(QStringLiteral("Kick-off"), "2", "0", m, e)) +
                              day(QStringLiteral("31-12-2026"),
                                  task(QStringLiteral("Toast"), "2", "0") + task(QStringLiteral("Clean up"), "2", "0"),
                                  meeting(QStringLiteral("Party"), "2", "0", m, e)) +
                              day(QStringLiteral("08-12-2026"), task(QStringLiteral("Buy gifts"), "2", "0"),
                                  meeting(QStringLiteral("Review"), "2", "0", m, e)) +
                              day(QStringLiteral("15-01-2027"), task(QStringLiteral("Taxes"), "2", "0")) +
                              day(QStringLiteral("2-1-2027"), task(QStringLiteral("Rest"), "2", "0")),
                          note(QStringLiteral("Resolutions"), QStringLiteral("02/01/2027"), m, QStringLiteral("a")) +
                              note(QStringLiteral("Gift list"), QStringLiteral("08/12/2026"), m, QStringLiteral("b")) +
                              note(QStringLiteral("Menu"), QStringLiteral("31/12/2026"), m, QStringLiteral("c")) +
                              note(QStringLiteral("Cards"), QStringLiteral("08/12/2026"), e, QStringLiteral("d"))));
    openMain();
    const struct {
        const char* view;
        int titleColumn;
        QStringList shown;
    } cases[] = {
        {"sh_task",
         1,
         {"08-12-2026|Buy gifts", "31-12-2026|Toast", "31-12-2026|Clean up", "2-1-2027|Rest",
          "04-01-2027|Plan the year", "15-01-2027|Taxes"}},
        {"sh_mtg", 1, {"08-12-2026|Review", "31-12-2026|Party", "04-01-2027|Kick-off"}},
        {"sh_note", 2, {"08/12/2026|Gift list", "08/12/2026|Cards", "31/12/2026|Menu", "02/01/2027|Resolutions"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        ListView* list = showRecordList(c.view);
        QStringList shown;
        for (int i = 1; i <= list->ListItems().Count(); ++i)
            shown << list->ListItems().Item(i)->Text() + QLatin1Char('|') +
                         list->ListItems().Item(i)->SubItems(c.titleColumn);
        EXPECT_EQ(shown, c.shown);
    }
}

TEST_F(WindowsTest, NotePreviewAndEditSelectedNoteFollowTheHighlightedRow) {
    folder.writeData(everyKind());
    openMain();
    ListView* list = showRecordList("sh_note");
    frmDisplay& display = *Forms::IfLoaded<frmDisplay>();
    QString edited;
    r->onModal = [&](QObject* w) {
        frmNotes& editor = *qobject_cast<frmNotes*>(w);
        edited = editor.txtTitle->Text();
        editor.txtNote->SetText(QStringLiteral("Flour and sugar"));
        editor.btnCreate_Click();
    };
    // A right click selects the row, then pops up the Notes menu, whose
    // "Edit selected Note" is chosen.
    choosePopupEntry(QStringLiteral("mnuNotesEdit"));
    const struct {
        const char* what;
        std::function<void()> act;
        const char* highlighted;
        const char* preview; // caption|text
    } steps[] = {
        {"left click", [&] { widgetevents::click(list->viewport(), rowCentre(list, 2)); }, "Recipe",
         ":: Note Description (Last Saved : 07/03/2025 at 09:30:00 AM):|Flour, eggs and a long list of other things"},
        {"key up", [&] { widgetevents::key(list, Qt::Key_Up); }, "Old",
         ":: Note Description (Last Saved : 01/02/2024 at 08:00:00 PM):|short"},
        {"right click and edit", [&] { widgetevents::click(list->viewport(), rowCentre(list, 2), Qt::RightButton); },
         "Recipe", ":: Note Description (Last Saved : 07/03/2025 at 02:05:09 PM):|Flour and sugar"},
        {"removed",
         [&] {
             r->answers = {MsgAnswer::Yes};
             mFunctions::HandleOptionBarItems(QStringLiteral("note"), QStringLiteral("note_del"));
         },
         "", "|"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        platform::ListItem* row = list->SelectedItem();
        EXPECT_EQ(row ? row->SubItems(2) : QString(), QLatin1String(step.highlighted));
        EXPECT_EQ(display.lblNoteInfo->text() + QLatin1Char('|') + display.txtQuickDesc->Text(),
                  QString::fromUtf8(step.preview));
    }
    EXPECT_EQ(edited, QStringLiteral("Recipe")) << "the right-clicked row, not the one last left-clicked";
}
