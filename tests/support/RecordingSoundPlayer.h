#pragma once

#include "platform/Sound.h"

#include <QStringList>

namespace testsupport {

// In use while it lives: plays nothing and keeps the paths it was asked to
// play, in order.
class RecordingSoundPlayer : public platform::SoundPlayer {
public:
    RecordingSoundPlayer() : m_previous(install(this)) {}
    ~RecordingSoundPlayer() override { install(m_previous); }
    RecordingSoundPlayer(const RecordingSoundPlayer&) = delete;
    RecordingSoundPlayer& operator=(const RecordingSoundPlayer&) = delete;

    void play(const QString& path) override { played << path; }

    QStringList played;

private:
    platform::SoundPlayer* m_previous;
};

} // namespace testsupport
