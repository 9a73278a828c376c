// The sampling pass, the choice of the dial-up interface and the page texts of the selected interface.
#include "traffic/TrafficMonitor.h"

#include "common/ByteText.h"
#include "platform/Clock.h"

#include <QRegularExpression>

namespace {
/// The locale's long time format without the zone, which the page has no room for.
QString longTimeFormat(const QLocale& locale)
{
    static const QRegularExpression zone(QStringLiteral("\\s*\\(?\\bt+\\b\\)?"));
    return locale.timeFormat(QLocale::LongFormat).remove(zone).trimmed();
}
} // namespace

TrafficMonitor::TrafficMonitor(InterfaceTable& table, const Clock& clock, QLocale locale)
    : m_table(table), m_clock(clock), m_locale(std::move(locale)), m_timeFormat(longTimeFormat(m_locale))
{}

void TrafficMonitor::primeTrafficMonitor()
{
    if (!m_table.available())
        SetTrafficMonitorEnabled(false);
    ClearTrafficMonitor();
    UpdateTrafficMonitor();
}

void TrafficMonitor::UpdateTrafficMonitor()
{
    if (m_enabled)
        SampleInterfaces();
}

void TrafficMonitor::ClearTrafficMonitor()
{
    m_tabs.clear();
    m_tabIndex = -1;
    m_selected = nullptr;
    ++m_generation;
    m_page.StatusText.clear();
    m_page.ledAdapterDescription.clear();
    m_page.ledMACAddress.clear();
    m_page.ledSpeed.clear();
}

void TrafficMonitor::SampleInterfaces()
{
    for (const auto& traffic : m_tabs) {
        if (traffic->Connected())
            traffic->setFound(false);
    }
    IPHelper::ReadIfTable(m_table, m_rows);
    // The connection's own interface, whatever its link type; else the first PPP link.
    const TTraffic* named = nullptr;
    const TTraffic* firstPpp = nullptr;
    bool namedListed = false; // a new object has nothing to give yet, but another link must not stand in for it
    for (const InterfaceRow& row : m_rows) {
        namedListed = namedListed || (!m_dialUpInterface.isEmpty() && row.name == m_dialUpInterface);
        if (TTraffic* traffic = FindTrafficByIndex(row.index)) {
            traffic->AddSample(row.inOctets, row.outOctets, row.speed);
            if (!named && !m_dialUpInterface.isEmpty() && traffic->Name() == m_dialUpInterface)
                named = traffic;
            if (!firstPpp && traffic->PppLink())
                firstPpp = traffic;
        } else {
            // A new object takes its counters as the base, so it has nothing to give in this pass.
            AddTrafficTab(std::make_unique<TTraffic>(row, m_table, m_clock)).setFound(true);
        }
    }
    if (const TTraffic* dialUp = named ? named : (namedListed ? nullptr : firstPpp))
        takeDialUp(*dialUp);
    for (const auto& traffic : m_tabs) {
        if (!traffic->Found())
            traffic->MarkDisconnected();
    }
    ShowSelectedTraffic();
}

void TrafficMonitor::takeDialUp(const TTraffic& traffic)
{
    m_bytesReceived = traffic.TotalIn();
    m_bytesSent = traffic.TotalOut();
    if (m_dialUpShown)
        m_dialUpShown(traffic.Description(), traffic.IPAddress());
}

TTraffic* TrafficMonitor::FindTrafficByIndex(quint32 ifIndex)
{
    for (const auto& traffic : m_tabs) {
        if (traffic->IfIndex() == ifIndex) {
            traffic->setFound(true);
            return traffic.get();
        }
    }
    return nullptr;
}

TTraffic& TrafficMonitor::AddTrafficTab(std::unique_ptr<TTraffic> traffic)
{
    TTraffic& added = *traffic;
    m_tabs.push_back(std::move(traffic));
    selectTab(tabCount() - 1);
    return added;
}

void TrafficMonitor::selectTab(int newTabIndex)
{
    m_tabIndex = newTabIndex >= 0 && newTabIndex < tabCount() ? newTabIndex : -1;
    m_selected = m_tabIndex < 0 ? nullptr : m_tabs[std::size_t(m_tabIndex)].get();
    ShowSelectedTraffic();
}

void TrafficMonitor::setPageShown(bool shown)
{
    m_pageShown = shown;
    if (shown)
        ShowSelectedTraffic();
}

void TrafficMonitor::ShowSelectedTraffic()
{
    if (!m_selected) {
        ClearTrafficMonitor();
        return;
    }
    if (!m_pageShown)
        return;
    const TTraffic& t = *m_selected;
    const auto bytes = [this](quint32 n) { return ByteText::BytesToFriendlyString(n, m_locale); };
    m_page.ledAdapterDescription = t.Description();
    m_page.ledMACAddress = t.MACAddress();
    m_page.ledSpeed = SpeedToText(t.Speed(), m_locale);
    m_page.ledOctInSec = RateToText(t.InPerSec(), m_locale);
    m_page.ledPeakINSec = RateToText(t.PeakInPerSec(), m_locale);
    m_page.ledAvgINSec = RateToText(t.AvgInPerSec(), m_locale);
    m_page.ledTotalIN = bytes(t.TotalIn());
    m_page.ledOctOUTSec = RateToText(t.OutPerSec(), m_locale);
    m_page.ledPeakOUTSec = RateToText(t.PeakOutPerSec(), m_locale);
    m_page.ledAvgOUTSec = RateToText(t.AvgOutPerSec(), m_locale);
    m_page.ledTotalOUT = bytes(t.TotalOut());
    if (&t != m_startedAtOf || t.StartedAt() != m_startedAt) {
        m_startedAtOf = &t;
        m_startedAt = t.StartedAt();
        m_page.ledStartedAt = startedAtText(m_startedAt);
    }
    m_page.ledActiveFor = t.GetDurationText();
    m_page.StatusText = t.GetStatusText();
}

QString TrafficMonitor::startedAtText(const QDateTime& moment) const
{
    const QString date = m_locale.toString(moment.date(), QLocale::ShortFormat);
    if (moment.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + m_locale.toString(moment.time(), m_timeFormat);
}

void TrafficMonitor::zeroByteCounters()
{
    m_bytesReceived = 0;
    m_bytesSent = 0;
}
