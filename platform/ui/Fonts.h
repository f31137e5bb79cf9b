#pragma once

namespace platform {

// Makes the program's font (ProgramFont) the application font of a program
// with windows: lists, text boxes and labels take it from the application.
void UseProgramFont();

} // namespace platform
