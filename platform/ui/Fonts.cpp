#include "platform/ui/Fonts.h"

#include <QApplication>
#include <QFont>

namespace platform {

void UseProgramFont() {
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Color Emoji")});
    QApplication::setFont(font);
}

} // namespace platform
