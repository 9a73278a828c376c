// The recording core: it owns what recording needs (the personal file, the accounting period, the session
// tracker, the connection monitor, the traffic monitor, the recording filter, the settings and the hourly
// alert's decisions) and runs the one-second tick and the connection monitor's poll. Windows show its state
// through the signals below and send it the user's commands; nothing here waits for a window.
#pragma once

#include "alert/AlertScheduler.h"
#include "alert/AlertSound.h"
#include "allowance/AllowanceMonitor.h"
#include "dialup/ConnectionMonitor.h"
#include "dialup/Dialer.h"
#include "dialup/RecordingFilter.h"
#include "record/AccountingPeriod.h"
#include "record/PersonalAccountPrompt.h"
#include "record/PersonalFile.h"
#include "record/ProfileSetup.h"
#include "record/SessionTracker.h"
#include "settings/Settings.h"
#include "traffic/TrafficMonitor.h"

#include <QObject>
#include <memory>

class QTimer;
struct Platform;

class Recorder final : public QObject,
                       private TrackerHost,
                       private PeriodHost,
                       private ConnectionMonitorHost,
                       private DialerHost,
                       private AlertHost
{
    Q_OBJECT
public:
    /// `programDir` is the folder of the personal files (empty when none can be written); `soundFolders`
    /// where the alert sound is looked for. The settings are the program's, which the windows share for
    /// their own places and folders; without them the recorder keeps settings of its own on the platform's store.
    Recorder(Platform& platform, Settings& settings, QString programDir, QStringList soundFolders,
             QObject* parent = nullptr);
    Recorder(Platform& platform, QString programDir, QStringList soundFolders, QObject* parent = nullptr);
    ~Recorder() override;

    /// Where session records that cannot be written at the end are kept for the next start; none when empty.
    void setJournalPath(const QString& path) { m_journalPath = path; }
    /// Reads the settings, the name of the personal file and the recording filter's marks.
    void load();
    /// Loads the personal file and starts the tick and the connection monitor.
    void start();

    /// One tick of the main timer.
    void MainTimerTimer();
    /// One poll of the connection monitor.
    void PollConnections();
    /// One tick of the traffic timer, which runs while the Traffic Monitor tab is shown.
    void TrafficTimerTimer();
    /// The program ends: both timers stop and an open session is closed with the end time of now and the
    /// bytes of the latest pass. Nothing is recorded afterwards.
    void finish();

    // The user's commands.
    /// Stop down: the tick stops (the monitor's poll closes a session that ends meanwhile); up: it runs again.
    void setRecordingStopped(bool stopped);
    /// Reset: the session's fields and counters start afresh.
    void resetData();
    /// The dialer stops the monitor while it dials and starts it again afterwards.
    void setMonitorWatching(bool on) override;
    /// Hangs up the dial under way or the connection the monitor last listed, as the dialer's "Hang up".
    void hangUpConnection() { m_dialer.hangUp(); }
    /// The dialer's commands: dial an entry, stop the dial under way, start the redial count afresh, follow a
    /// change of the user name (empty or not), and add a line to the dialer's log.
    void dial(const DialParams& params) { m_dialer.dial(params); }
    void cancelDial() { m_dialer.cancel(); }
    void resetRedial() { m_dialer.ResetRedial(); }
    void dialUserNameChanged(bool empty) { m_dialer.userNameChanged(empty); }
    void noteDialLine(const QString& line) { m_dialer.note(line); }
    /// Plays the alert sound (an alert window's reminder); a failure is warned of through soundWarning.
    void playAlertSound() { m_alertSound.PlaySound(AlertScheduler::soundName); }
    /// One tick of the dialer's redial timer.
    void RedialTimerTimer() { m_dialer.RedialTimerTimer(); }
    /// The Traffic Monitor tab is shown or hidden. While it is shown and no session is recorded, a sampling
    /// pass runs every second so the tab moves; a recorded session's own passes keep doing that job.
    void setTrafficShown(bool shown);
    /// The main window's top-left corner when it was last closed, stored for the next start.
    void setMainPosition(int left, int top) { m_settings.setMainPosition(left, top); }
    /// The user picked an interface tab on the Traffic Monitor tab.
    void selectTrafficTab(int index) { m_traffic.selectTab(index); }
    /// Whether the tray icon is there to show the tracker's images.
    void setTrayShown(bool shown) { m_trayShown = shown; }
    /// Shows a tray image when the tray icon is there.
    void changeTrayIcon(int imageIndex) override;
    /// Marks the phone book's entry `row` as recorded or not; stored with savePhoneBookMarks.
    void setEntryRecorded(qsizetype row, bool recorded) { m_filter.setChecked(row, recorded); }
    /// The monitor starts without a connection handle.
    void clearConnectionHandle() { m_monitor.setHandle(0); }
    /// What "Create Personal File" shows when it opens: the active file's days (a damaged day is reported).
    ProfileSetup::Shown profileShown() { return m_profileSetup.FormCreate(); }
    /// "Create Personal File" confirmed with these days: checked, then the new file is started and loaded.
    ProfileSetup::Outcome confirmProfile(const QString& startingDay, const QString& endingDay);
    /// The tools for trying by hand: the next tick counts one minute more; the used-time test label is
    /// cleared outside a session.
    void advancePreviousMinute() { m_tracker.advancePreviousMinute(); }
    void clearUsedTimeTestLabel() { m_tracker.clearUsedTimeTestLabel(); }
    /// Reads the phone book again for the recording filter, keeping the marks; false when it cannot be read.
    bool refreshPhoneBook();
    /// Stores the recording filter's marks.
    bool savePhoneBookMarks();
    /// A new allowance from the Settings tab: stored, and counted from the next tick on.
    bool setAllowance(const AllowanceSettings& allowance);
    /// The tray box: the program keeps its icon in the tray, and starts with only that. Stored.
    bool setTrayMode(bool on);
    /// The metered-links box: stored; the dial-up service lists metered links from its next poll on, and the
    /// recording filter offers their profiles. False when the setting could not be stored (reported).
    bool setRecordMetered(bool on);
    /// Why metered links cannot be recorded with the dial-up system in use; empty when they can.
    QString meteredUnavailableReason() const;
    /// The start-at-log-in box: the start-up entry is written or removed, and the setting stored as it
    /// then stands. A failure is said in an error box. Whether the program now starts at log-in.
    bool setStartAtLogin(bool on);
    /// The period's figures and the allowance as of now; inactive without a personal file.
    AllowanceStatus allowanceStatus() const;
    const AllowanceMonitor& allowance() const { return m_allowance; }

    bool recordingStopped() const override { return m_stopped; }
    bool monitorWatching() const;
    bool trayShown() const { return m_trayShown; }
    bool trafficShown() const { return m_trafficShown; }
    QString statusLine() const { return m_statusLine; }
    QString dayPeriod() const { return m_dayPeriod; }
    QString backupFolder() const { return m_backupFolder; }
    QString programDir() const { return m_file.ProgramDir(); }

    const Settings& settings() const { return m_settings; }
    const RecordingFilter& filter() const { return m_filter; }
    const SessionTracker& tracker() const { return m_tracker; }
    const AccountingPeriod& period() const { return m_period; }
    /// Called at each step of a roll-over with the step's name ("rollover-start", "rollover-moved",
    /// "new-file-written", "rollover-done"); the end-to-end tests stop the program dead at each of them.
    void setRollOverStepHook(std::function<void(const QString& step)> hook) { m_period.setStepHook(std::move(hook)); }
    const PersonalFile& file() const { return m_file; }
    const ConnectionMonitor& monitor() const { return m_monitor; }
    const Dialer& dialer() const { return m_dialer; }
    const TrafficMonitor& traffic() const { return m_traffic; }
    const AlertScheduler& alerts() const { return m_alerts; }

    QTimer* MainTimer;
    QTimer* ActiveTimer;
    QTimer* TrafficTimer;

    void showStatusLine(const QString& text) override;

signals:
    /// The tracker's view may have changed: the Main tab renders it.
    void viewChanged();
    void statusLineChanged(const QString& text);
    void dayPeriodChanged(const QString& text);
    /// The personal file was loaded: its backup folder is listed on the Calculation tab.
    void backupFolderChanged(const QString& folder);
    void trayImageChanged(int imageIndex);
    /// A connection was seen connected for the first time, or went away.
    void connectionSeen(const QString& entryName);
    void connectionGone();
    /// The traffic monitor's figures changed.
    void trafficChanged();
    /// A pass took the dial-up interface.
    void dialUpShown(const QString& adapter, const QString& ipAddress);
    /// An hourly alert falls due.
    void hourlyAlert(const QString& message, bool autoClose, AlertCorner corner);
    /// The alert sound is missing or cannot be played.
    void soundWarning(const QString& text);
    /// What the windows show of the period's figures and the allowance has changed.
    void allowanceChanged();
    /// A threshold of the allowance was reached: the alert window with this message.
    void allowanceAlert(const QString& message, bool autoClose, AlertCorner corner);

private:
    // TrackerHost
    bool IsConnected() const override { return m_monitor.IsConnected(); }
    bool Checked_PhoneBook_IsOn() const override { return m_monitor.Checked_PhoneBook_IsOn(); }
    bool alwaysRecord() const override { return m_settings.alwaysRecord(); }
    bool TrayIconOn() const override { return m_trayShown; }
    void ChangeSysTrayIcon(int imageIndex) override { changeTrayIcon(imageIndex); }
    void UpdateTrafficMonitor() override;
    void ClearTrafficMonitor() override;
    void zeroByteCounters() override { m_traffic.zeroByteCounters(); }
    quint32 DialUpBytesReceived() const override { return m_traffic.DialUpBytesReceived(); }
    quint32 DialUpBytesSent() const override { return m_traffic.DialUpBytesSent(); }
    void CheckHourlyAlert(qint32 usedMinutes) override;
    void resetHourlyAlert() override { m_alerts.resetHourlyAlert(); }
    void sessionClosed(qint64 seconds, quint32 received, quint32 sent) override;

    // PeriodHost
    void showDayPeriod(const QString& text) override;
    void listBackupFiles(const QString& folder) override;

    // ConnectionMonitorHost
    void showStatus(const QString& text) override { m_dialer.showStatus(text); }
    void showLineInUse() override { m_dialer.lineInUse(); }
    void showIdle() override { m_dialer.lineIdle(); }
    void hangUp() override { m_dialer.hangUp(); }
    void connectionFirstSeen(const QString& entryName) override { emit connectionSeen(entryName); }
    void removeDisconnectItem() override { emit connectionGone(); }
    void runTrackerTick() override { MainTimerTimer(); }

    // AlertHost
    AlertOptions alertOptions() const override;
    QString receivedText() const override { return m_tracker.view().received; }
    QString sentText() const override { return m_tracker.view().sent; }
    void PlaySound(const QString& name) override { m_alertSound.PlaySound(name); }
    void showAlert(const QString& message, bool autoClose, AlertCorner corner) override;

    /// A load of the personal file: the allowance is counted again once it finds a usable file.
    void followReload(const SessionReload& reload);
    /// The period's totals of the file just loaded: totalled afresh only when it is not the file whose
    /// sessions are counted already (at start, after a roll-over or a new file).
    void loadAllowance(qint64 recordCount);
    /// At the start: records kept in the journal by the last run go back to their file. The status line's
    /// text for what happened; empty when there was no journal.
    QString replayJournal();
    /// Each tick: while records wait, the journal holds them as they stand, so that even a kill loses no
    /// more than a quarter-minute; once they are written, the journal goes.
    void syncJournal();
    /// Writes the waiting records to the journal; false with the reason in `problem`.
    bool writeJournal(QString* problem);
    /// At the end: records that still cannot be written go to the journal, or at least to standard error.
    void keepWaitingRecords();

    /// The tick's part: the open session joins the running totals, and a threshold reached is warned of.
    void updateAllowance();
    /// The time the open session has lasted by the clock (0 with none): what "Today" and the hourly alert count.
    qint64 openSessionSeconds(const Clock::Reading& now) const;
    void warnAllowance(const QList<AllowanceCrossing>& crossed, const QDateTime& now);

    Recorder(Platform& platform, std::unique_ptr<Settings> own, Settings* shared, QString programDir,
             QStringList soundFolders, QObject* parent);

    Platform& m_platform;
    std::unique_ptr<Settings> m_ownSettings;
    Settings& m_settings;
    RecordingFilter m_filter;
    PersonalFile m_file;
    AccountingPeriod m_period;
    PersonalAccountPrompt m_prompt;
    ProfileSetup m_profileSetup;
    SessionTracker m_tracker;
    ConnectionMonitor m_monitor;
    Dialer m_dialer;
    TrafficMonitor m_traffic;
    AlertSound m_alertSound;
    AlertScheduler m_alerts;
    AllowanceMonitor m_allowance;

    bool m_stopped = false;
    bool m_trayShown = false;
    bool m_trafficShown = false;
    bool m_finished = false;
    QString m_statusLine;
    QString m_dayPeriod;
    QString m_backupFolder;
    QString m_storedNameNote; ///< why the stored personal file name is not used; said at the start
    QString m_journalPath;
    bool m_journalOutstanding = false; ///< the journal on disk holds records that wait to be written
    bool m_journalFromLastRun = false; ///< those records were kept by the last run
    quint64 m_journalVersion = 0;      ///< PersonalFile::pendingVersion() of the records in the journal
};
