#pragma once

// What screen readers are told about the controls that draw themselves: the
// flat button is a push button named by its caption that can be pressed; the
// explorer bar is a pane whose groups and items are its children, each with
// its caption, its rectangle and a press action that does what a click does.
//
// The controls install this with Qt's accessibility the first time one of
// them is made; calling it again does nothing.
void InstallControlsAccessibility();
