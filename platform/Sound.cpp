#include "platform/Sound.h"

#include <QCoreApplication>
#include <QSoundEffect>
#include <QUrl>

namespace platform {

namespace {

std::function<void(const QString&)>& soundOverride() {
    static std::function<void(const QString&)> player;
    return player;
}

} // namespace

void PlaySoundAsync(const QString& path) {
    if (soundOverride()) {
        soundOverride()(path);
        return;
    }
    // One effect for the program: a new sound cuts the one still playing, as
    // the system's own asynchronous sound call does. It lives as long as the
    // application, so a sound is never cut by its player going away.
    static QSoundEffect* effect = nullptr;
    if (!effect)
        effect = new QSoundEffect(QCoreApplication::instance());
    effect->stop();
    effect->setSource(QUrl::fromLocalFile(path));
    effect->play();
}

void SetSoundOverride(std::function<void(const QString& path)> player) {
    soundOverride() = std::move(player);
}

} // namespace platform
