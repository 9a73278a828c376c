// The main window's traffic monitor: one TTraffic per network interface in order of discovery (one tab
// each), a sampling pass on request, the figures of the chosen interface, and the dial-up interface whose
// totals the session records store.
#pragma once

#include "traffic/IPHelper.h"
#include "traffic/TrafficPage.h"
#include "traffic/TrafficUnit.h"

#include <QLocale>

#include <functional>
#include <memory>
#include <vector>

class Clock;

class TrafficMonitor
{
public:
    /// Called whenever a pass takes the dial-up interface: its description and address text.
    using DialUpShown = std::function<void(const QString& adapter, const QString& ipAddress)>;

    TrafficMonitor(InterfaceTable& table, const Clock& clock, QLocale locale = QLocale());
    TrafficMonitor(const TrafficMonitor&) = delete;
    TrafficMonitor& operator=(const TrafficMonitor&) = delete;

    void setDialUpShown(DialUpShown handler) { m_dialUpShown = std::move(handler); }
    /// The IP interface of the dial-up connection as the dial-up system names it ("ppp0", "wwan0"); empty
    /// when it names none. A pass takes that interface; without it, the first link with "PPP" in its
    /// description.
    void setDialUpInterface(const QString& name) { m_dialUpInterface = name; }
    const QString& dialUpInterface() const { return m_dialUpInterface; }

    /// Start-up: the monitor runs only when the interface table can be read; then an empty list and one pass.
    void primeTrafficMonitor();
    /// One pass, when the monitor is on.
    void UpdateTrafficMonitor();
    /// Discards every interface object, selects none, empties the status and the panel's own fields.
    void ClearTrafficMonitor();
    void SetTrafficMonitorEnabled(bool enabled) { m_enabled = enabled; }
    bool TrafficMonitorEnabled() const { return m_enabled; }
    /// One sampling pass over the interface table.
    void SampleInterfaces();
    /// The object of an interface index, marked found in this pass; null when there is none.
    TTraffic* FindTrafficByIndex(quint32 ifIndex);
    /// Appends the object's tab and selects it.
    TTraffic& AddTrafficTab(std::unique_ptr<TTraffic> traffic);
    /// The tab set's change: −1 selects nothing.
    void selectTab(int newTabIndex);
    /// Copies the selected object's figures into the page; with nothing selected, clears the monitor.
    void ShowSelectedTraffic();
    /// Whether anyone looks at the page: while nobody does, the passes keep sampling and the dial-up counts
    /// but leave the page's texts as they were. Shown again, the page is filled at once.
    void setPageShown(bool shown);
    /// Sets both dial-up byte counters to zero.
    void zeroByteCounters();

    quint32 DialUpBytesReceived() const { return m_bytesReceived; }
    quint32 DialUpBytesSent() const { return m_bytesSent; }
    const TrafficPage& page() const { return m_page; }
    int tabCount() const { return int(m_tabs.size()); }
    const TTraffic& tabTraffic(int tab) const { return *m_tabs.at(std::size_t(tab)); }
    /// The caption of a tab: its interface's address text.
    QString tabCaption(int tab) const { return tabTraffic(tab).IPAddress(); }
    /// The selected tab, −1 for none.
    int tabIndex() const { return m_tabIndex; }
    const TTraffic* SelectedTraffic() const { return m_selected; }
    /// Moves on every ClearTrafficMonitor, so a view knows its tabs belong to discarded objects.
    quint64 generation() const { return m_generation; }

private:
    void takeDialUp(const TTraffic& traffic);
    /// The locale's short date and long time; the time is left out at exactly midnight.
    QString startedAtText(const QDateTime& moment) const;

    InterfaceTable& m_table;
    const Clock& m_clock;
    QLocale m_locale;
    QString m_timeFormat;
    DialUpShown m_dialUpShown;
    QString m_dialUpInterface;
    bool m_enabled = true;
    bool m_pageShown = true;
    std::vector<std::unique_ptr<TTraffic>> m_tabs;
    int m_tabIndex = -1;
    TTraffic* m_selected = nullptr;
    quint64 m_generation = 0;
    quint32 m_bytesReceived = 0;
    quint32 m_bytesSent = 0;
    TrafficPage m_page;
    // The "Started at" text is made again only when another interface, or a new object, is shown.
    const TTraffic* m_startedAtOf = nullptr;
    QDateTime m_startedAt;
    TMIBIfArray m_rows;
};
