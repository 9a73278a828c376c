// A sound service for tests.
#include "platform/sim/RecordingSound.h"

bool RecordingSound::play(const QString& path)
{
    played.append(path);
    return !fail;
}
