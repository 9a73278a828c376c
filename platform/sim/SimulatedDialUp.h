// A dial-up system played by the program itself: a phone book, connections, scripted dial outcomes.
#pragma once

#include "platform/DialUpService.h"
#include "platform/sim/SimulationFile.h"

#include <QHash>

class SimulatedDialUp : public DialUpService
{
public:
    bool enumConnections(QList<RasConnection>& out) override;
    std::optional<QString> errorText(quint32) const override { return std::nullopt; }
    bool enumEntries(QStringList& out) override;
    quint32 getEntryDialParams(DialParams& params) override;
    quint32 setEntryDialParams(const DialParams& params, bool removePassword) override;
    quint32 dial(const DialParams& params, Progress progress, Handle& handle) override;
    bool hangUp(Handle handle) override;
    QString systemsInUse() const override { return QStringLiteral("simulated"); }

    /// Outcomes of the coming dials, in order: 0 connects, anything else fails with that code.
    /// With none left a dial connects.
    QList<quint32> dialOutcomes;
    /// Every handle hung up, in order.
    QList<Handle> hangUps;
    bool refuseHangUp = false;

protected:
    /// Brings `m_system` up to date; false when the system cannot be read.
    virtual bool load() { return true; }
    /// Makes a change of `m_system` visible outside.
    virtual void store() {}

    SimulatedSystem m_system;

private:
    QHash<QString, DialParams> m_params;
};

// Kept in memory and steered by tests.
class InMemoryDialUp final : public SimulatedDialUp
{
public:
    SimulatedSystem& system() { return m_system; }
    QString unavailableReason() const override { return unreachable; }

    /// The sentence of a system that cannot be reached at all; empty while it can.
    QString unreachable;
};
