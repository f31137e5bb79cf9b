#pragma once

#include <QString>
#include <QVBoxLayout>

namespace platform {
class StatusBar;
class TextBox;
} // namespace platform

// What the note and password editors share: records filed by title alone.
namespace titled_editor {

// Whether another record under the container already has the typed title.
// In edit mode the record's own title, kept in the title box's tag, is no
// duplicate: a second record of one title would leave every later edit or
// delete acting on the first of the two.
bool TitleTaken(int32_t showMode, const platform::TextBox* txtTitle, const QString& containerPath,
                const QString& element);

// The dialog's status bar, below everything else: the product's name.
platform::StatusBar* AddStatusBar(QWidget* dialog, QVBoxLayout* outer);

// The dialog's outer column, without margins so the status bar lies along
// its edges, and the column inside it that holds the frames and buttons.
QVBoxLayout* ContentColumn(QWidget* dialog, QVBoxLayout*& outer);

} // namespace titled_editor
