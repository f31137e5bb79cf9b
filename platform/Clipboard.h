#pragma once

#include <QString>

namespace platform {

// The desktop's clipboard, as the organiser uses it: emptied, then given one
// plain text (user names and passwords copied from the lists).
void ClipboardClear();
void ClipboardSetText(const QString& text);
// What the clipboard holds as plain text; empty when it holds none.
QString ClipboardGetText();

} // namespace platform
