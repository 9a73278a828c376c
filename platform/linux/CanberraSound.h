// Wave sounds played with libcanberra through the desktop's sound server (PulseAudio, or PipeWire's
// PulseAudio service) or, where none runs, the sound card (ALSA): libcanberra picks the driver.
#pragma once

#include "platform/Sound.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>

struct ca_context;
struct CanberraLibrary;

class CanberraSound final : public Sound
{
public:
    /// `applicationName` is how the sound server lists the program's streams.
    explicit CanberraSound(QString applicationName);
    ~CanberraSound() override;
    CanberraSound(const CanberraSound&) = delete;
    CanberraSound& operator=(const CanberraSound&) = delete;

    /// Connects to the sound server or the sound card on first use (and again after it went away), then
    /// starts the file.
    bool play(const QString& path) override;

    /// Why the latest sound failed to start or ended early; empty when it played.
    QString lastError() const;

    /// Blocks until every sound started so far has ended, at most `timeout`. True when all ended and
    /// played to their end. For tools that must keep running while a sound plays; the program never waits.
    bool waitUntilDone(std::chrono::milliseconds timeout);

private:
    bool open();
    /// Opens a context on `driver`, or on libcanberra's choice when null; the context stays null on failure.
    int openContext(const char* driver);
    void close();
    void finished(uint32_t id, int errorCode);
    static void onFinished(ca_context* context, uint32_t id, int errorCode, void* self);

    QString m_applicationName;
    const CanberraLibrary* m_ca = nullptr; ///< set by the first open
    ca_context* m_context = nullptr;
    uint32_t m_nextId = 1;

    // Written by the sound server's thread when a sound ends.
    mutable std::mutex m_mutex;
    std::condition_variable m_ended;
    std::set<uint32_t> m_playing;
    bool m_allPlayed = true;
    QString m_lastError;
};
