// Two dial-up systems seen as one: the network manager's connections first, then the PPP links that it
// does not manage; the phone books one after the other.
#pragma once

#include "platform/DialUpService.h"

#include <memory>

// The first system's connections come first; a connection of the second on an interface that the first
// already reports is the same link and is left out. An entry is looked up in the first system, then in
// the second. Handles carry the system they came from, so both may number theirs from 1.
class CombinedDialUp final : public DialUpService
{
public:
    CombinedDialUp(std::unique_ptr<DialUpService> first, std::unique_ptr<DialUpService> second);

    bool enumConnections(QList<RasConnection>& out) override;
    std::optional<QString> errorText(quint32 code) const override;
    bool enumEntries(QStringList& out) override;
    quint32 getEntryDialParams(DialParams& params) override;
    quint32 setEntryDialParams(const DialParams& params, bool removePassword) override;
    quint32 dial(const DialParams& params, Progress progress, Handle& handle) override;
    bool hangUp(Handle handle) override;
    QString unavailableReason() const override;
    QString systemsInUse() const override;
    void setRecordMetered(bool on) override;
    QString meteredUnavailableReason() const override;
    bool enumRecordable(QStringList& out) override;

    /// The handle a connection of system `part` (0 or 1) is known by here; 0 stays 0.
    static Handle combined(Handle inner, int part) { return inner == 0 ? 0 : inner * 2 + Handle(part); }

private:
    DialUpService& part(int index) { return index == 0 ? *m_first : *m_second; }

    std::unique_ptr<DialUpService> m_first;
    std::unique_ptr<DialUpService> m_second;
};
