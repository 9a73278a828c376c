// Merging two dial-up systems' answers.
#include "platform/CombinedDialUp.h"

#include <QStringList>

namespace {
constexpr quint32 EntryNotFound = 623;
}

CombinedDialUp::CombinedDialUp(std::unique_ptr<DialUpService> first, std::unique_ptr<DialUpService> second)
    : m_first(std::move(first)), m_second(std::move(second))
{}

bool CombinedDialUp::enumConnections(QList<RasConnection>& out)
{
    // A system that cannot list its connections makes the whole list unknown: leaving its connections
    // out would read as their end.
    QList<RasConnection> first;
    QList<RasConnection> second;
    if (!m_first->enumConnections(first) || !m_second->enumConnections(second))
        return false;
    out.clear();
    QStringList interfaces;
    for (RasConnection& c : first) {
        if (!c.interfaceName.isEmpty())
            interfaces.append(c.interfaceName);
        c.handle = combined(c.handle, 0);
        out.append(c);
    }
    for (RasConnection& c : second) {
        if (!c.interfaceName.isEmpty() && interfaces.contains(c.interfaceName))
            continue;
        c.handle = combined(c.handle, 1);
        out.append(c);
    }
    return true;
}

std::optional<QString> CombinedDialUp::errorText(quint32 code) const
{
    if (auto text = m_first->errorText(code))
        return text;
    return m_second->errorText(code);
}

bool CombinedDialUp::enumEntries(QStringList& out)
{
    QStringList first;
    QStringList second;
    const bool firstRead = m_first->enumEntries(first);
    const bool secondRead = m_second->enumEntries(second);
    if (!firstRead && !secondRead)
        return false;
    out = first + second;
    return true;
}

quint32 CombinedDialUp::getEntryDialParams(DialParams& params)
{
    const quint32 error = m_first->getEntryDialParams(params);
    return error == EntryNotFound ? m_second->getEntryDialParams(params) : error;
}

quint32 CombinedDialUp::setEntryDialParams(const DialParams& params, bool removePassword)
{
    const quint32 error = m_first->setEntryDialParams(params, removePassword);
    return error == EntryNotFound ? m_second->setEntryDialParams(params, removePassword) : error;
}

quint32 CombinedDialUp::dial(const DialParams& params, Progress progress, Handle& handle)
{
    handle = 0;
    Handle inner = 0;
    quint32 error = m_first->dial(params, progress, inner);
    int index = 0;
    if (error == EntryNotFound) {
        error = m_second->dial(params, std::move(progress), inner);
        index = 1;
    }
    handle = combined(inner, index);
    return error;
}

bool CombinedDialUp::hangUp(Handle handle)
{
    if (handle == 0)
        return false;
    return part(int(handle % 2)).hangUp(handle / 2);
}

QString CombinedDialUp::unavailableReason() const
{
    // One system within reach is enough.
    const QString first = m_first->unavailableReason();
    return first.isEmpty() ? QString() : m_second->unavailableReason();
}

QString CombinedDialUp::systemsInUse() const
{
    QStringList systems{m_first->systemsInUse(), m_second->systemsInUse()};
    systems.removeAll(QString());
    return systems.join(QStringLiteral(", "));
}

void CombinedDialUp::setRecordMetered(bool on)
{
    m_first->setRecordMetered(on);
    m_second->setRecordMetered(on);
}

QString CombinedDialUp::meteredUnavailableReason() const
{
    // One system that tells metered links apart is enough.
    const QString first = m_first->meteredUnavailableReason();
    return first.isEmpty() ? QString() : m_second->meteredUnavailableReason();
}

bool CombinedDialUp::enumRecordable(QStringList& out)
{
    QStringList first;
    QStringList second;
    const bool firstRead = m_first->enumRecordable(first);
    const bool secondRead = m_second->enumRecordable(second);
    if (!firstRead && !secondRead)
        return false;
    out = first + second;
    return true;
}
