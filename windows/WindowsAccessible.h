#pragma once

// What screen readers are told about the windows and the controls they are
// built of, where the toolkit's own account does not fit: a dialog's window
// is a dialog and any other window of the organiser a frame; a list to choose
// from is named after its label, not after the entry it shows; a link label
// is a link that can be pressed.
//
// Every window installs this when it is made; calling it again does nothing.
void InstallWindowsAccessibility();
