#pragma once

#include <QString>

// One note as the editor and the store hand it over; Text stays enciphered.
struct NoteRecord {
    QString Title;
    QString Text;
    QString Date;     // creation day, "dd/mm/yyyy"
    QString Time;     // creation time, "hh:mm:ss AM/PM"
    QString LastEdit; // last save, "dd/mm/yyyy; hh:mm:ss AM/PM"

    bool operator==(const NoteRecord& o) const {
        return Title == o.Title && Text == o.Text && Date == o.Date && Time == o.Time && LastEdit == o.LastEdit;
    }
};

// The notes of the data file, filed by title.
namespace mNotes {

// Returns whether the note was saved; a failed save has been reported and the
// list is not reloaded.
bool SaveNote(const NoteRecord& rec, bool IsNew, const QString& OldTitle);
NoteRecord GetNote(const QString& Title);
// True when a note was removed and the file saved.
bool DeleteNote(const QString& Title);

} // namespace mNotes
