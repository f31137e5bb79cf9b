#include "platform/Sound.h"

#include "platform/Modules.h"

namespace platform {

namespace {

// The player module beside the program, loaded once, on the first sound;
// without it every sound stays silent.
class ModulePlayer : public SoundPlayer {
public:
    void play(const QString& path) override {
        using Play = void (*)(const QString&);
        static const Play module =
            reinterpret_cast<Play>(ModuleFunction(QStringLiteral("veltrane_sound"), "veltrane_play_sound"));
        if (module)
            module(path);
    }
};

} // namespace

SoundPlayer::~SoundPlayer() = default;

SoundPlayer& SoundPlayer::current() {
    static ModulePlayer own;
    return inUseOr(own);
}

} // namespace platform
