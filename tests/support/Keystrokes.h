#pragma once

#include <Qt>

class QWidget;

namespace testsupport {

// A key struck as the window system reports it: the shortcuts of the target's
// window have the first go, then the target and, when it leaves the key
// unused, its parents. The target's window is made the active one first, as
// the window a person types into is.
void Strike(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Gives a control the focus, its window made the active one first.
void Focus(QWidget* target);

} // namespace testsupport
