// Wave sounds through libcanberra, on the driver it chooses (the sound server's: PulseAudio, or PipeWire's
// PulseAudio service), or on the sound card through ALSA where that driver cannot open.
#include "platform/linux/CanberraSound.h"

#include <canberra.h>
#include <mutex>
#include <vector>

namespace {
// Errors after which the connection is useless and the next sound connects anew.
bool connectionLost(int code)
{
    return code == CA_ERROR_DISCONNECTED || code == CA_ERROR_STATE || code == CA_ERROR_SYSTEM ||
           code == CA_ERROR_NOTAVAILABLE;
}

QString errorText(int code)
{
    return QString::fromUtf8(ca_strerror(code));
}
} // namespace

CanberraSound::CanberraSound(QString applicationName) : m_applicationName(std::move(applicationName)) {}

CanberraSound::~CanberraSound()
{
    bool idle = false;
    {
        const std::lock_guard lock(m_mutex);
        idle = m_playing.empty();
    }
    // With nothing playing no finish callback can reach this object any more, and the context is parked.
    // A sound still playing is cancelled by destroying the context, which runs its callback first.
    if (idle || !m_context) {
        close();
        return;
    }
    ca_context_destroy(m_context);
    m_context = nullptr;
}

bool CanberraSound::open()
{
    if (m_context)
        return true;
    // libcanberra's own choice first. It settles on the sound server's driver whenever that is installed,
    // also when no server runs, and then cannot open; the sound card's driver is tried by name after it.
    int code = openContext(nullptr);
    if (code != CA_SUCCESS && openContext("alsa") == CA_SUCCESS)
        return true;
    if (code == CA_SUCCESS)
        return true;
    const std::lock_guard lock(m_mutex);
    m_lastError = errorText(code);
    return false;
}

int CanberraSound::openContext(const char* driver)
{
    int code = ca_context_create(&m_context);
    if (code == CA_SUCCESS && driver)
        code = ca_context_set_driver(m_context, driver);
    if (code == CA_SUCCESS)
        code = ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, m_applicationName.toUtf8().constData(),
                                       nullptr);
    if (code == CA_SUCCESS)
        code = ca_context_open(m_context);
    // A context that never opened has played nothing: it goes at once.
    if (code != CA_SUCCESS && m_context) {
        ca_context_destroy(m_context);
        m_context = nullptr;
    }
    return code;
}

void CanberraSound::close()
{
    // Not destroyed: that unloads the driver's module, and the ALSA driver's playback thread may still be
    // running its last instructions in it after the sound's finish callback (a crash at the program's end).
    // A context is parked instead, where it stays reachable; a process makes one or two.
    if (m_context) {
        static auto* const parked = new std::vector<ca_context*>;
        static std::mutex parkedMutex;
        const std::lock_guard lock(parkedMutex);
        parked->push_back(m_context);
    }
    m_context = nullptr;
}

bool CanberraSound::play(const QString& path)
{
    if (!open())
        return false;
    ca_proplist* props = nullptr;
    if (ca_proplist_create(&props) != CA_SUCCESS)
        return false;
    ca_proplist_sets(props, CA_PROP_MEDIA_FILENAME, path.toUtf8().constData());
    ca_proplist_sets(props, CA_PROP_MEDIA_ROLE, "event");
    ca_proplist_sets(props, CA_PROP_CANBERRA_CACHE_CONTROL, "never");
    const uint32_t id = m_nextId++;
    {
        const std::lock_guard lock(m_mutex);
        m_playing.insert(id);
    }
    const int code = ca_context_play_full(m_context, id, props, &CanberraSound::onFinished, this);
    ca_proplist_destroy(props);
    if (code == CA_SUCCESS) {
        const std::lock_guard lock(m_mutex);
        m_lastError.clear();
        return true;
    }
    {
        // A sound that did not start may or may not have had its finish callback already.
        const std::lock_guard lock(m_mutex);
        m_playing.erase(id);
        m_allPlayed = false;
        m_lastError = errorText(code);
    }
    m_ended.notify_all();
    if (connectionLost(code))
        close();
    return false;
}

void CanberraSound::onFinished(ca_context*, uint32_t id, int errorCode, void* self)
{
    static_cast<CanberraSound*>(self)->finished(id, errorCode);
}

void CanberraSound::finished(uint32_t id, int errorCode)
{
    {
        const std::lock_guard lock(m_mutex);
        m_playing.erase(id);
        if (errorCode != CA_SUCCESS) {
            m_allPlayed = false;
            m_lastError = errorText(errorCode);
        }
    }
    m_ended.notify_all();
}

QString CanberraSound::lastError() const
{
    const std::lock_guard lock(m_mutex);
    return m_lastError;
}

bool CanberraSound::waitUntilDone(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    if (!m_ended.wait_for(lock, timeout, [this] { return m_playing.empty(); }))
        return false;
    return m_allPlayed;
}
