// Wave sounds: playback starts and the call returns at once, while the sound plays on.
#pragma once

#include <QString>

class Sound
{
public:
    virtual ~Sound() = default;

    /// Starts playing the wave file at `path` without waiting for its end.
    /// False when the sound cannot be played: no sound service, an unreadable file, a busy device.
    virtual bool play(const QString& path) = 0;
};
