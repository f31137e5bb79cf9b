#pragma once

#include <functional>

class QWidget;
class XPButton;

// The keys of a dialog's two buttons. Enter that the field with the focus
// leaves unused presses the button that acts: every field uses it but a
// multi-line box, where it starts a new line, and a button, which it presses.
// Escape presses the Cancel button, so its handler runs and asks whatever it
// asks; a dialog without one is given what Escape does instead.
namespace dialog_keys {

void Bind(QWidget* dialog, XPButton* act, XPButton* cancel);
void Bind(QWidget* dialog, XPButton* act, std::function<void()> escape);

} // namespace dialog_keys
