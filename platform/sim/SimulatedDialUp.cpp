// The simulated dial-up system's answers.
#include "platform/sim/SimulatedDialUp.h"

namespace {
constexpr quint32 cannotFindEntry = 623;
}

bool SimulatedDialUp::enumConnections(QList<RasConnection>& out)
{
    if (!load() || m_system.unavailable)
        return false;
    out = m_system.connections;
    return true;
}

bool SimulatedDialUp::enumEntries(QStringList& out)
{
    if (!load() || m_system.unavailable)
        return false;
    out = m_system.entries;
    return true;
}

quint32 SimulatedDialUp::getEntryDialParams(DialParams& params)
{
    load();
    if (m_system.refuseDial != 0)
        return m_system.refuseDial;
    if (!m_system.entries.contains(params.entryName))
        return cannotFindEntry;
    const DialParams stored = m_params.value(params.entryName);
    params.userName = stored.userName;
    params.password = stored.password;
    params.passwordSaved = !stored.password.isEmpty();
    return 0;
}

quint32 SimulatedDialUp::setEntryDialParams(const DialParams& params, bool removePassword)
{
    load();
    if (m_system.refuseDial != 0)
        return m_system.refuseDial;
    if (!m_system.entries.contains(params.entryName))
        return cannotFindEntry;
    DialParams& stored = m_params[params.entryName];
    stored.entryName = params.entryName;
    stored.userName = params.userName;
    stored.password = removePassword ? QString() : params.password;
    return 0;
}

quint32 SimulatedDialUp::dial(const DialParams& params, Progress progress, Handle& handle)
{
    load();
    if (m_system.refuseDial != 0)
        return m_system.refuseDial;
    if (!m_system.entries.contains(params.entryName))
        return cannotFindEntry;
    const quint32 outcome = dialOutcomes.isEmpty() ? m_system.failDial : dialOutcomes.takeFirst();
    handle = SimulationFile::handleOf(params.entryName);
    const quint32 steps[] = {RasState::OpenPort,        RasState::PortOpened,   RasState::ConnectDevice,
                             RasState::DeviceConnected, RasState::Authenticate, RasState::Authenticated};
    for (const quint32 state : steps) {
        if (progress)
            progress(state, 0);
        if (outcome != 0 && state == RasState::ConnectDevice) {
            if (progress)
                progress(state, outcome);
            return 0;
        }
    }
    m_system.connections.append({handle, params.entryName, RasState::Connected, 0});
    store();
    if (progress)
        progress(RasState::Connected, 0);
    return 0;
}

bool SimulatedDialUp::hangUp(Handle handle)
{
    load();
    hangUps.append(handle);
    if (refuseHangUp)
        return false;
    m_system.connections.removeIf([handle](const RasConnection& c) { return c.handle == handle; });
    store();
    return true;
}
