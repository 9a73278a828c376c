// Per-interface traffic arithmetic: differences of 32-bit counters modulo 2^32, peaks, averages over the
// seconds in which something moved, and the texts of speed, status and duration.
#include "traffic/TrafficUnit.h"

#include "common/ByteText.h"
#include "platform/Clock.h"
#include "traffic/IPHelper.h"

namespace {
bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 0x20 || c.unicode() == 0x7F;
}

QString trimmedDescription(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlankOrControl(text[first]))
        ++first;
    while (last > first && isBlankOrControl(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}
} // namespace

QString SpeedToText(quint64 bitsPerSecond, const QLocale& locale)
{
    const auto text = [&](double value, const char* unit) {
        return locale.toString(value, 'f', 2) + QLatin1Char(' ') + QLatin1String(unit);
    };
    const double v = double(bitsPerSecond);
    if (bitsPerSecond < 1000U)
        return text(v, "bps");
    if (bitsPerSecond < 1000000U)
        return text(v / 1e3, "Kbps");
    if (bitsPerSecond < 1000000000U)
        return text(v / 1e6, "Mbps");
    return text(v / 1e9, "Gbps");
}

QString RateToText(quint32 bytesPerSecond, const QLocale& locale)
{
    return ByteText::BytesToFriendlyString(bytesPerSecond, locale) + QStringLiteral("/s");
}

QString LookupIPAddress(InterfaceTable& table, quint32 ifIndex)
{
    TMibIPAddrArray rows;
    IPHelper::ReadIpAddrTable(table, rows);
    for (const IpAddressRow& row : rows) {
        if (row.index == ifIndex)
            return IPHelper::IpAddressToText(row.address);
    }
    return TTraffic::notFoundText;
}

TTraffic::TTraffic(const InterfaceRow& row, InterfaceTable& table, const Clock& clock)
    : m_IPAddress(LookupIPAddress(table, row.index)),
      m_MACAddress(IPHelper::MacAddressToText(row.physAddr, row.physAddrLen)), m_IfIndex(row.index),
      m_PrevInOctets(row.inOctets), m_Description(trimmedDescription(row.description)),
      m_pppLink(m_Description.contains(QLatin1String("PPP"), Qt::CaseSensitive)), m_Name(row.name),
      m_PrevOutOctets(row.outOctets), m_StartedAt(clock.now()), m_Speed(row.speed)
{}

void TTraffic::AddSample(quint32 inOctets, quint32 outOctets, quint64 speed)
{
    ++m_SampleCount;
    if (!m_Running)
        return;
    m_Speed = speed;
    addOctets({m_InPerSec, m_TotalIn, m_PeakInPerSec, m_ActiveInSamples, m_AvgInPerSec, m_PrevInOctets}, inOctets);
    addOctets({m_OutPerSec, m_TotalOut, m_PeakOutPerSec, m_ActiveOutSamples, m_AvgOutPerSec, m_PrevOutOctets},
              outOctets);
}

void TTraffic::addOctets(Direction d, quint32 octets)
{
    // Unsigned 32-bit subtraction: a counter that passed 4294967295 since the last sample still gives the
    // octets that moved.
    d.perSec = octets - d.previous;
    d.total += d.perSec;
    d.previous = octets;
    if (d.perSec > 0)
        ++d.activeSamples;
    if (d.perSec > d.peak)
        d.peak = d.perSec;
    if (d.activeSamples > 0)
        d.average = d.total / d.activeSamples;
}

void TTraffic::MarkDisconnected()
{
    m_Connected = false;
    m_Running = false;
}

QString TTraffic::GetStatusText() const
{
    return QLatin1String(m_Connected ? "Connected" : "NOT connected") +
           QLatin1String(m_Running ? ", Running" : ", NOT running");
}

QString TTraffic::GetDurationText() const
{
    const quint32 s = m_SampleCount;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg((s % 3600) / 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}
