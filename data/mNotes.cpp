#include "data/mNotes.h"

#include "data/TitledStore.h"
#include "data/Views.h"
#include "platform/Clock.h"
#include "platform/Text.h"

namespace mNotes {

namespace {

const TitledStore::Kind& notes() {
    static const TitledStore::Kind kind{
        QStringLiteral(".//zandor/notes"),
        QStringLiteral("note"),
        {QStringLiteral("date"), QStringLiteral("time"), QStringLiteral("lastedit"), QStringLiteral("text")}};
    return kind;
}

// The current day and time in the LastEdit form.
QString lastEditNow() {
    const QDateTime now = platform::Now();
    return platform::FormatDatePattern(now.date(), QStringLiteral("dd/mm/yyyy")) + QStringLiteral("; ") +
           platform::FormatSystemTime(now.time());
}

} // namespace

bool SaveNote(const NoteRecord& rec, bool IsNew, const QString& OldTitle) {
    // An edit keeps the creation day and time and rewrites the last-edit stamp
    // and the text.
    if (!TitledStore::Save(notes(), rec.Title, {rec.Date, rec.Time, lastEditNow(), rec.Text}, IsNew, OldTitle,
                           {false, false, true, true}))
        return false;
    if (mFunctions::CurrentView() == mFunctions::ViewNotes)
        views::LoadNotesList(QString());
    return true;
}

NoteRecord GetNote(const QString& Title) {
    QString title;
    TitledStore::Fields f;
    if (!TitledStore::Get(notes(), Title, title, f))
        return NoteRecord();
    return NoteRecord{title, f[3], f[0], f[1], f[2]};
}

bool DeleteNote(const QString& Title) {
    return TitledStore::Delete(notes(), Title) == TitledStore::DeleteResult::Removed;
}

} // namespace mNotes
