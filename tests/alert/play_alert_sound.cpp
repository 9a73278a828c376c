// Plays one wave file through the desktop's sound server and waits for its end: the sound test's player.
// Exit 0: played to the end; 1: could not start; 2: started but did not play to its end.
#include "platform/linux/CanberraSound.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.wav\n", argv[0]);
        return 64;
    }
    CanberraSound sound(QStringLiteral("Qov Ruvela sound test"));
    if (!sound.play(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot play: %s\n", qPrintable(sound.lastError()));
        return 1;
    }
    if (!sound.waitUntilDone(std::chrono::seconds(20))) {
        std::fprintf(stderr, "did not play to the end: %s\n", qPrintable(sound.lastError()));
        return 2;
    }
    return 0;
}
