#include "platform/ProgramFont.h"

#include <QGuiApplication>

namespace platform {

QFont ProgramFont() {
    QFont font = QGuiApplication::font();
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Color Emoji")});
    return font;
}

} // namespace platform
