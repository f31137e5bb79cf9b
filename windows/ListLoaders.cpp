#include "windows/ListLoaders.h"

#include "data/DataFile.h"
#include "data/Views.h"
#include "data/cRC4.h"
#include "data/mFunctions.h"
#include "data/mGeneralFunctions.h"
#include "data/mTasks.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/XmlDocument.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Menus.h"
#include "platform/ui/MonthView.h"
#include "windows/frmDisplay.h"
#include "windows/frmMain.h"
#include "windows/frmSideBar.h"
#include "windows/frmToday.h"

#include <QScopedValueRollback>
#include <optional>

using platform::ListItem;
using platform::ListView;
using platform::MsgStyle;
using platform::XmlDocument;
using platform::XmlNode;

namespace mFunctions {

namespace {

// The urgent and high rows of the Today lists stand out in this colour.
const platform::OleColor kEmphasisColor = platform::RGB(179, 53, 17);

// A stored code as a number; nothing when the text is not one.
std::optional<int> codeOf(const QString& stored) {
    // Nearly every stored code is one digit, read without the number parser.
    if (stored.size() == 1 && stored.at(0) >= QLatin1Char('0') && stored.at(0) <= QLatin1Char('9'))
        return stored.at(0).unicode() - '0';
    bool ok = false;
    const int value = stored.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The text of a stored code; "- Unknown -" for anything that is not a code.
QString codeText(const QString& stored, QString (*text)(int16_t)) {
    const std::optional<int> code = codeOf(stored);
    if (!code || *code < INT16_MIN || *code > INT16_MAX)
        return text(-1);
    return text(static_cast<int16_t>(*code));
}

QString field(const XmlNode& record, int index) {
    return record.child(index).text();
}

// A field's stored UTF-8: read in place where the document holds it as one
// piece, otherwise joined into `joined`. A list reads thousands of fields.
QByteArrayView fieldBytes(const XmlNode& field, QByteArray& joined) {
    QByteArrayView bytes;
    if (field.textInPlace(bytes))
        return bytes;
    joined = field.text().toUtf8();
    return joined;
}

QString codeText(QByteArrayView stored, QString (*text)(int16_t)) {
    if (stored.size() == 1 && stored[0] >= '0' && stored[0] <= '9')
        return text(static_cast<int16_t>(stored[0] - '0'));
    return codeText(platform::FromUtf8Exactly(stored), text);
}

// Blank as IsBlank has it: nothing but spaces.
bool isBlank(QByteArrayView stored) {
    return std::all_of(stored.begin(), stored.end(), [](char c) { return c == ' '; });
}

// Texts a list makes only for the rows it shows.
QString plainText(QByteArrayView utf8) {
    return utf8.isNull() ? QString() : platform::FromUtf8Exactly(utf8);
}

QString descriptionText(QByteArrayView stored) {
    return isBlank(stored) ? platform::FromUtf8Exactly(stored)
                           : ShortenText(DecipherFieldStart(stored, kShortenedLength + 1));
}

// A long enciphered text as a list shows it: only as much is deciphered as
// can be shown.
QString shortDeciphered(const QString& stored) {
    return ShortenText(DecipherFieldStart(stored, kShortenedLength + 1));
}

// An optional enciphered field: blank as stored, otherwise its clear text.
void emphasise(ListItem* row, const QString& storedPriority) {
    const std::optional<int> priority = codeOf(storedPriority);
    if (!priority || *priority >= 2)
        return;
    row->SetForeColor(kEmphasisColor);
    row->SetBold(*priority == 0);
}

// A day's container filled into a Today list, one row per record.
template <class AddRow> void fillToday(ListView* list, const XmlNode& container, AddRow addRow) {
    list->ListItems().Clear();
    if (!container.hasChildNodes())
        return;
    for (XmlNode record = container.firstChild(); record; record = record.nextSibling()) {
        ListItem* row = addRow(record);
        emphasise(row, field(record, 0));
    }
}

// The data file's container at a path, or the two messages that end the
// program when the file has none.
XmlNode containerOrEnd(const XmlDocument& doc, const QString& path, const QString& text, const QString& title,
                       const QString& closingText) {
    XmlNode node = doc.selectSingleNode(path);
    if (node)
        return node;
    platform::ReportFailure(text + QStringLiteral("\r\n") + DataFile::Path(), title);
    platform::MsgBox(text, MsgStyle::Information, title);
    platform::MsgBox(closingText, MsgStyle::Critical, QStringLiteral("Closing Application ..."));
    mGeneralFunctions::UnloadAllForms();
    platform::EndProcess(EXIT_FAILURE);
}

XmlNode notesOrPasswordsOrEnd(const XmlDocument& doc, const QString& path) {
    return containerOrEnd(doc, path,
                          QStringLiteral("Error while accessing Notes in Information Data File. Either Data file is "
                                         "invalid or currupt. Please try restoring it from Backup or reinstalling "
                                         "the Application to resolve this error issue."),
                          QStringLiteral("Error in Accssing Notes!"),
                          QStringLiteral("Application can not work with invalid data file. Process will terminate "
                                         "now!"));
}

// Days sort by the date itself, not by their "dd-mm-yyyy" text, where
// 04-01-2027 would come before 08-12-2026: as "yyyymmdd". A day filed as
// "dd-mm-yyyy" (or a note's "dd/mm/yyyy") is that text rearranged; one written
// otherwise is read as a date, and a text that is no date sorts as it reads.
QString daySortText(const QString& day) {
    auto separator = [&](int at) { return day.at(at) == QLatin1Char('-') || day.at(at) == QLatin1Char('/'); };
    if (day.size() == 10 && separator(2) && separator(5))
        return day.mid(6, 4) + day.mid(3, 2) + day.left(2);
    const QDate date = mGeneralFunctions::GetDateOnly(QString(day).replace(QLatin1Char('/'), QLatin1Char('-')));
    return date.isValid() ? platform::FormatDatePattern(date, QStringLiteral("yyyymmdd")) : day;
}

ListView* recordList() {
    return UseForm<frmDisplay>().lstData;
}

} // namespace

void LoadTodaySchedule(const QString& sDate) {
    // The Today view's own load asks for today's lists. When this fill is what
    // opens the view, that inner fill would be replaced at once: it only moves
    // the calendar, and the data file is read once, below.
    static bool openingToday = false;
    QString day = sDate;
    if (mGeneralFunctions::IsBlank(day)) {
        day = platform::FormatDatePattern(platform::Today(), QStringLiteral("dd-mm-yyyy"));
        UseForm<frmSideBar>().ucCalender->SetValue(platform::Today());
    }
    if (openingToday)
        return;
    frmToday& today = []() -> frmToday& {
        const QScopedValueRollback<bool> opening(openingToday, true);
        return UseForm<frmToday>();
    }();
    today.SetDisplayDate(day);

    // One look-up of the day finds both lists.
    const DayToRead read = mTasks::ReadDay(day);
    const XmlNode dayNode = read.node;
    fillToday(today.lstTasksToday, dayNode.child(mTasks::KindTasks), [&](const XmlNode& task) {
        ListItem* row = today.lstTasksToday->ListItems().Add(day, 1, 1);
        row->SetSubItems(1, task.attributeText(0));
        row->SetSubItems(2, codeText(field(task, 0), GetPriorityText));
        row->SetSubItems(3, codeText(field(task, 1), GetTaskStatusText));
        return row;
    });
    fillToday(today.lstMeetingsToday, dayNode.child(mTasks::KindMeetings), [&](const XmlNode& meeting) {
        ListItem* row = today.lstMeetingsToday->ListItems().Add(day, 2, 2);
        row->SetSubItems(1, meeting.attributeText(0));
        row->SetSubItems(2, codeText(field(meeting, 1), GetMeetingForText));
        row->SetSubItems(3, field(meeting, 2));
        row->SetSubItems(4, field(meeting, 3));
        return row;
    });
}

void LoadScheduleList(int32_t nKind, const QString& sDate) {
    ListView* list = recordList();
    const DataFile::ReadDocument doc = DataFile::Read();
    XmlNode root = containerOrEnd(
        *doc, QStringLiteral(".//zandor"),
        QStringLiteral("Error in accessing Schedule Information. Either the Information data file is missing or "
                       "invalid. Please try restoring it from Backup or reinstalling application to resolve this "
                       "error issue."),
        QStringLiteral("Schedule Information Access Failed!"),
        QStringLiteral("Application can not work with invalid Information Data file. Process will terminate now."));
    list->ListItems().Clear();
    const bool allDays = mGeneralFunctions::IsBlank(sDate);
    const QByteArray wantedDay = sDate.toUtf8();
    for (XmlNode day = root.firstChild(); day; day = day.nextSibling()) {
        if (!allDays && !day.firstAttributeEquals(wantedDay))
            continue;
        if (!day.nodeNameIs("date"))
            continue;
        XmlNode container = day.child(nKind);
        if (!container) {
            platform::MsgBox(QStringLiteral("Error in accessing Schedule Information elements. Please try restoring "
                                            "the Information data file from Backup or reinstalling Application to "
                                            "resolve this error issue."),
                             MsgStyle::Information, QStringLiteral("Schedule Information access failed!"));
            return;
        }
        const QString dayKey = day.attributeText(0);
        const QString sortText = daySortText(dayKey);
        for (XmlNode record = container.firstChild(); record; record = record.nextSibling()) {
            ListItem* row = list->ListItems().Add(dayKey, nKind + 1, nKind + 1);
            row->SetSortText(0, sortText);
            row->SetSubItemsLater(1, record.attributeInPlace(0), plainText);
            if (nKind == mTasks::KindTasks) {
                QByteArrayView fields[3];
                bool joined = false;
                record.childTextsInPlace(fields, 3, &joined);
                QByteArray joinedText[3];
                for (int i = 0; joined && i < 3; ++i)
                    fields[i] = fieldBytes(record.child(i), joinedText[i]);
                row->SetSubItems(2, codeText(fields[1], GetTaskStatusText));
                row->SetSubItems(3, codeText(fields[0], GetPriorityText));
                row->SetSubItemsLater(4, fields[2], descriptionText);
            } else {
                const XmlNode first = record.firstChild();
                const XmlNode second = first.nextSibling();
                const XmlNode third = second.nextSibling();
                QByteArray joined;
                row->SetSubItems(2, codeText(fieldBytes(second, joined), GetMeetingForText));
                row->SetSubItems(3, codeText(fieldBytes(first, joined), GetPriorityText));
                row->SetSubItems(4, third.text());
                row->SetSubItems(5, third.nextSibling().text());
            }
        }
    }
}

void LoadNotesList(const QString& sDate) {
    ListView* list = recordList();
    const DataFile::ReadDocument doc = DataFile::Read();
    XmlNode notes = notesOrPasswordsOrEnd(*doc, QStringLiteral(".//zandor/notes"));
    // The highlighted note stays highlighted through the refill, so its
    // preview shows it as just saved.
    const ListItem* selected = list->SelectedItem();
    const bool highlighted = selected != nullptr;
    const QString highlightedTitle = highlighted ? selected->SubItems(2) : QString();
    ListItem* highlightAgain = nullptr;
    list->ListItems().Clear();
    // Notes keep their creation day as "dd/mm/yyyy"; the day asked for is a
    // day key, so the two are compared as dates.
    const bool allNotes = mGeneralFunctions::IsBlank(sDate);
    const QDate wanted = mGeneralFunctions::GetDateOnly(sDate);
    for (XmlNode note = notes.firstChild(); note; note = note.nextSibling()) {
        const QString created = field(note, 0);
        const QDate createdDay = mGeneralFunctions::GetDateOnly(QString(created).replace(QLatin1Char('/'), '-'));
        if (!allNotes && (!createdDay.isValid() || createdDay != wanted))
            continue;
        ListItem* row = list->ListItems().Add(created, 3, 3);
        row->SetSortText(0, daySortText(created));
        row->SetSubItems(1, field(note, 1));
        row->SetSubItems(2, note.attributeText(0));
        row->SetSubItems(3, field(note, 2));
        row->SetSubItems(4, shortDeciphered(field(note, 3)));
        if (highlighted && !highlightAgain && row->SubItems(2) == highlightedTitle)
            highlightAgain = row;
    }
    list->SetSelectedItem(highlightAgain);
}

void LoadPasswordsList() {
    ListView* list = recordList();
    const DataFile::ReadDocument doc = DataFile::Read();
    XmlNode passwords = notesOrPasswordsOrEnd(*doc, QStringLiteral(".//zandor/passwords"));
    list->ListItems().Clear();
    frmMain* main = platform::Forms::IfLoaded<frmMain>();
    const bool showClear = main && platform::MenuChecked(main->Entry(QStringLiteral("mnuPasswordShow")));
    for (XmlNode entry = passwords.firstChild(); entry; entry = entry.nextSibling()) {
        ListItem* row = list->ListItems().Add(entry.attributeText(0), 4, 4);
        row->SetSubItems(1, DecipherOptionalField(field(entry, 0)));
        row->SetTag(DecipherField(field(entry, 1)));
        row->SetSubItems(2, showClear ? row->Tag() : QString(row->Tag().size(), QLatin1Char('*')));
        row->SetSubItems(3, field(entry, 2));
    }
}

void InstallListLoaders() {
    views::Loaders loaders;
    loaders.loadTodaySchedule = [](const QString& day) { LoadTodaySchedule(day); };
    loaders.loadScheduleList = [](int kind, const QString& day) { LoadScheduleList(kind, day); };
    loaders.loadNotesList = [](const QString& day) { LoadNotesList(day); };
    loaders.loadPasswordsList = []() { LoadPasswordsList(); };
    loaders.setCalendarDate = [](const QDate& day) { UseForm<frmSideBar>().ucCalender->SetValue(day); };
    views::InstallLoaders(std::move(loaders));
}

} // namespace mFunctions
