#pragma once

#include "platform/SysColors.h"

#include <QFont>
#include <QString>

class QWidget;

namespace platform {

// What a control reads from the form or frame that holds it (its container):
// the font and text colour a new control takes over, the name the container
// knows it by, and whether the container is running or being designed.

// The container's font; the application font when the control has none.
QFont AmbientFont(const QWidget* control);
// The container's text colour.
OleColor AmbientForeColor(const QWidget* control);

// The name the container knows the control by: its object name. A control not
// named yet is given the container's next default name, the stem followed by
// the lowest number no sibling uses ("XPButton1", "XPButton2", ...).
QString AmbientDisplayName(QWidget* control, const QString& defaultStem);

// False only when the container is being designed, which it says by carrying
// the dynamic property "UserMode" set to false. The organiser's own forms
// always run, so for them this is true.
bool AmbientUserMode(const QWidget* control);

} // namespace platform
