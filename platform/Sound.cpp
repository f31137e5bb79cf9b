#include "platform/Sound.h"

#include "platform/Modules.h"

namespace platform {

namespace {

std::function<void(const QString&)>& soundOverride() {
    static std::function<void(const QString&)> player;
    return player;
}

using Player = void (*)(const QString&);

// The player module beside the program, loaded once, on the first sound;
// without it every sound stays silent.
Player player() {
    static const Player loaded =
        reinterpret_cast<Player>(ModuleFunction(QStringLiteral("veltrane_sound"), "veltrane_play_sound"));
    return loaded;
}

} // namespace

void PlaySoundAsync(const QString& path) {
    if (soundOverride()) {
        soundOverride()(path);
        return;
    }
    if (Player play = player())
        play(path);
}

void SetSoundOverride(std::function<void(const QString& path)> player) {
    soundOverride() = std::move(player);
}

} // namespace platform
