#include "platform/ui/Fonts.h"

#include "platform/ProgramFont.h"

#include <QApplication>

namespace platform {

void UseProgramFont() {
    // The widgets' own call: it also drops the fonts a desktop theme gives
    // single kinds of widget, so menus and tips use the program's font too.
    QApplication::setFont(ProgramFont());
}

} // namespace platform
