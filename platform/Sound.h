#pragma once

#include "platform/StandIn.h"

#include <QString>

namespace platform {

// Plays sound files: the program's own player, unless a stand-in (a test's,
// to hear nothing and see what would play) has put itself in use.
class SoundPlayer : public Replaceable<SoundPlayer> {
public:
    virtual ~SoundPlayer();
    // Starts playing a sound file and returns at once; a file that cannot be
    // played stays silent.
    virtual void play(const QString& path) = 0;

    static SoundPlayer& current();
};

} // namespace platform
