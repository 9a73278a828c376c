// A sound service for tests: remembers every file it was asked to play and fails when told to.
#pragma once

#include "platform/Sound.h"

#include <QStringList>

class RecordingSound final : public Sound
{
public:
    bool play(const QString& path) override;

    /// Every path asked for, in order, also those that failed.
    QStringList played;
    /// When set, every playback fails.
    bool fail = false;
};
