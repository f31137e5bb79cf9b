#pragma once

#include <QString>

namespace platform {

// Plays sound files. Whoever needs another player (a test, to hear nothing
// and see what would play) puts one in use.
class SoundPlayer {
public:
    virtual ~SoundPlayer();
    // Starts playing a sound file and returns at once; a file that cannot be
    // played stays silent.
    virtual void play(const QString& path) = 0;

    // The player in use: the program's own unless another was put in use.
    static SoundPlayer& current();
    // Puts a player in use; null puts the program's own back.
    static void use(SoundPlayer* player);
};

} // namespace platform
