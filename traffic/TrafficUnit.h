// The figures of one network interface, fed one pair of octet counters per sampling pass (a pass is one
// second), and the texts they are shown with.
#pragma once

#include "platform/InterfaceTable.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

class Clock;

/// Bits per second with two decimals in decimal steps: "999.00 bps", "56.00 Kbps", "10.00 Mbps", "1.00 Gbps".
QString SpeedToText(quint64 bitsPerSecond, const QLocale& locale = QLocale());

/// Bytes per second as the byte texts give them, with the unit per second: "512.00 B/s", "2.00 KB/s".
QString RateToText(quint32 bytesPerSecond, const QLocale& locale = QLocale());

/// The lowest IPv4 address of an interface as IPHelper::IpAddressToText gives it, or "!not_found!".
QString LookupIPAddress(InterfaceTable& table, quint32 ifIndex);

class TTraffic
{
public:
    /// Takes the row's counters as the base: octets that passed before are never counted.
    TTraffic(const InterfaceRow& row, InterfaceTable& table, const Clock& clock);

    /// One sampling pass. Once the interface has been disconnected only SampleCount moves.
    void AddSample(quint32 inOctets, quint32 outOctets, quint64 speed);
    /// The interface left the table; its figures freeze for good.
    void MarkDisconnected();
    /// "Connected, Running" or "NOT connected, NOT running".
    QString GetStatusText() const;
    /// The sample count as hours:minutes:seconds, "00:00:59", "100:00:00".
    QString GetDurationText() const;

    static inline const QString notFoundText = QStringLiteral("!not_found!");

    const QString& IPAddress() const { return m_IPAddress; }
    const QString& MACAddress() const { return m_MACAddress; }
    const QString& Description() const { return m_Description; }
    /// "PPP" stands in the description (which never changes): a dial-up link.
    bool PppLink() const { return m_pppLink; }
    /// The kernel's name of the interface; empty when the table gave none.
    const QString& Name() const { return m_Name; }
    quint32 IfIndex() const { return m_IfIndex; }
    quint32 InPerSec() const { return m_InPerSec; }
    quint32 TotalIn() const { return m_TotalIn; }
    quint32 PeakInPerSec() const { return m_PeakInPerSec; }
    quint32 ActiveInSamples() const { return m_ActiveInSamples; }
    quint32 AvgInPerSec() const { return m_AvgInPerSec; }
    quint32 PrevInOctets() const { return m_PrevInOctets; }
    quint32 OutPerSec() const { return m_OutPerSec; }
    quint32 TotalOut() const { return m_TotalOut; }
    quint32 PeakOutPerSec() const { return m_PeakOutPerSec; }
    quint32 ActiveOutSamples() const { return m_ActiveOutSamples; }
    quint32 AvgOutPerSec() const { return m_AvgOutPerSec; }
    quint32 SampleCount() const { return m_SampleCount; }
    const QDateTime& StartedAt() const { return m_StartedAt; }
    bool Running() const { return m_Running; }
    bool Connected() const { return m_Connected; }
    quint64 Speed() const { return m_Speed; }
    /// Seen in the current sampling pass; kept by the traffic monitor.
    bool Found() const { return m_Found; }
    void setFound(bool found) { m_Found = found; }

private:
    // One direction's figures; the same arithmetic serves received and sent octets.
    struct Direction
    {
        quint32& perSec;
        quint32& total;
        quint32& peak;
        quint32& activeSamples;
        quint32& average;
        quint32& previous;
    };
    static void addOctets(Direction d, quint32 octets);

    QString m_IPAddress;
    QString m_MACAddress;
    quint32 m_InPerSec = 0;
    quint32 m_TotalIn = 0;
    quint32 m_PeakInPerSec = 0;
    quint32 m_IfIndex = 0;
    quint32 m_ActiveInSamples = 0;
    quint32 m_SampleCount = 0;
    quint32 m_PrevInOctets = 0;
    QString m_Description;
    bool m_pppLink = false;
    QString m_Name;
    quint32 m_TotalOut = 0;
    quint32 m_PeakOutPerSec = 0;
    quint32 m_OutPerSec = 0;
    quint32 m_PrevOutOctets = 0;
    quint32 m_ActiveOutSamples = 0;
    quint32 m_AvgInPerSec = 0;
    quint32 m_AvgOutPerSec = 0;
    QDateTime m_StartedAt;
    bool m_Running = true;
    bool m_Connected = true;
    bool m_Found = false;
    quint64 m_Speed = 0;
};
