// Wave sounds through libcanberra, on the driver it chooses (the sound server's: PulseAudio, or PipeWire's
// PulseAudio service), or on the sound card through ALSA where that driver cannot open.
#include "platform/linux/CanberraSound.h"

#include "platform/linux/CanberraLibrary.h"

#include <mutex>
#include <vector>

namespace {
// Errors after which the connection is useless and the next sound connects anew.
bool connectionLost(int code)
{
    return code == CA_ERROR_DISCONNECTED || code == CA_ERROR_STATE || code == CA_ERROR_SYSTEM ||
           code == CA_ERROR_NOTAVAILABLE;
}

QString errorText(const CanberraLibrary& ca, int code)
{
    return QString::fromUtf8(ca.strerror(code));
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
    m_ca->contextDestroy(m_context);
    m_context = nullptr;
}

bool CanberraSound::open()
{
    if (m_context)
        return true;
    QString loadError;
    m_ca = CanberraLibrary::get(&loadError);
    if (!m_ca) {
        const std::lock_guard lock(m_mutex);
        m_lastError = loadError;
        return false;
    }
    // libcanberra's own choice first. It settles on the sound server's driver whenever that is installed,
    // also when no server runs, and then cannot open; the sound card's driver is tried by name after it.
    int code = openContext(nullptr);
    if (code != CA_SUCCESS && openContext("alsa") == CA_SUCCESS)
        return true;
    if (code == CA_SUCCESS)
        return true;
    const std::lock_guard lock(m_mutex);
    m_lastError = errorText(*m_ca, code);
    return false;
}

int CanberraSound::openContext(const char* driver)
{
    int code = m_ca->contextCreate(&m_context);
    if (code == CA_SUCCESS && driver)
        code = m_ca->contextSetDriver(m_context, driver);
    if (code == CA_SUCCESS)
        code = m_ca->contextChangeProps(m_context, CA_PROP_APPLICATION_NAME, m_applicationName.toUtf8().constData(),
                                        nullptr);
    if (code == CA_SUCCESS)
        code = m_ca->contextOpen(m_context);
    // A context that never opened has played nothing: it goes at once.
    if (code != CA_SUCCESS && m_context) {
        m_ca->contextDestroy(m_context);
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
    if (m_ca->proplistCreate(&props) != CA_SUCCESS)
        return false;
    m_ca->proplistSets(props, CA_PROP_MEDIA_FILENAME, path.toUtf8().constData());
    m_ca->proplistSets(props, CA_PROP_MEDIA_ROLE, "event");
    m_ca->proplistSets(props, CA_PROP_CANBERRA_CACHE_CONTROL, "never");
    const uint32_t id = m_nextId++;
    {
        const std::lock_guard lock(m_mutex);
        m_playing.insert(id);
    }
    const int code = m_ca->contextPlayFull(m_context, id, props, &CanberraSound::onFinished, this);
    m_ca->proplistDestroy(props);
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
        m_lastError = errorText(*m_ca, code);
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
            m_lastError = errorText(*m_ca, errorCode);
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
