#pragma once

#include <QWidget>

namespace platform {

// The properties a host form gives every control placed on it (its extender).

// Where a control docks on its host; vbAlignNone leaves it where it is.
enum AlignConstants { vbAlignNone = 0, vbAlignTop = 1, vbAlignBottom = 2, vbAlignLeft = 3, vbAlignRight = 4 };

// Docks a control to an edge of its parent: it spans that edge and keeps its
// own size across it, and follows the parent's resizes.
void SetAlign(QWidget* control, int align);
int Align(const QWidget* control);

// The control's Visible as its host sets it: true unless it was hidden, even
// while the host itself is not yet on the screen.
inline bool ExtenderVisible(const QWidget* control) {
    return control && !control->isHidden();
}

} // namespace platform
