// The recording core's start, its two timers and the user's commands; what the parts it owns ask of their
// surroundings is answered here, from its own state, and shown through signals.
#include "core/Recorder.h"

#include "allowance/AllowanceText.h"
#include "allowance/UsageFromFile.h"
#include "common/AppInfo.h"
#include "platform/Platform.h"
#include "platform/Trace.h"
#include "record/StoredDate.h"
#include "report/RecordFileCalculator.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <algorithm>

Recorder::Recorder(Platform& platform, Settings& settings, QString programDir, QStringList soundFolders,
                   QObject* parent)
    : Recorder(platform, nullptr, &settings, std::move(programDir), std::move(soundFolders), parent)
{}

Recorder::Recorder(Platform& platform, QString programDir, QStringList soundFolders, QObject* parent)
    : Recorder(platform, std::make_unique<Settings>(*platform.settings), nullptr, std::move(programDir),
               std::move(soundFolders), parent)
{}

Recorder::Recorder(Platform& platform, std::unique_ptr<Settings> own, Settings* shared, QString programDir,
                   QStringList soundFolders, QObject* parent)
    : QObject(parent), m_platform(platform), m_ownSettings(std::move(own)),
      m_settings(shared ? *shared : *m_ownSettings), m_file(std::move(programDir), *platform.clock, *platform.dialogs),
      m_period(m_file, *platform.clock, *platform.dialogs, *this), m_prompt(m_file, *platform.dialogs, m_settings),
      m_profileSetup(m_file, *platform.dialogs, m_prompt, m_period),
      m_tracker(*platform.clock, m_file, m_period, *this), m_monitor(*platform.dialUp, m_filter, *this),
      m_dialer(*platform.dialUp, m_monitor, *this), m_traffic(*platform.interfaces, *platform.clock),
      m_alertSound(*platform.sound, std::move(soundFolders), [this](const QString& text) { emit soundWarning(text); }),
      m_alerts(*this)
{
    MainTimer = new QTimer(this);
    MainTimer->setObjectName(QStringLiteral("MainTimer"));
    MainTimer->setInterval(1000);
    ActiveTimer = new QTimer(this);
    ActiveTimer->setObjectName(QStringLiteral("ActiveTimer"));
    ActiveTimer->setInterval(1000);
    TrafficTimer = new QTimer(this);
    TrafficTimer->setObjectName(QStringLiteral("TrafficTimer"));
    TrafficTimer->setInterval(1000);
    connect(MainTimer, &QTimer::timeout, this, &Recorder::MainTimerTimer);
    connect(ActiveTimer, &QTimer::timeout, this, &Recorder::PollConnections);
    connect(TrafficTimer, &QTimer::timeout, this, &Recorder::TrafficTimerTimer);
    m_file.setStatusLine([this](const QString& text) { showStatusLine(text); });
    m_settings.setProblemReporter([this](const QString& text) { showStatusLine(text); });
    // The Traffic Monitor page is hidden until the View menu shows it: nothing formats its texts meanwhile.
    m_traffic.setPageShown(false);
    m_traffic.setDialUpShown([this](const QString& adapter, const QString& ip) { emit dialUpShown(adapter, ip); });
}

Recorder::~Recorder() = default;

void Recorder::load()
{
    m_settings.load();
    m_allowance.setSettings(m_settings.allowance(), m_settings.allowanceWarned());
    // A value edited by hand gets the prompt's check too: it may not lead outside the program's folder.
    const QString stored = m_settings.values().personalAccount;
    if (const QString problem = PersonalAccountPrompt::storedNameProblem(stored); stored.isEmpty() || problem.isEmpty())
        m_file.setPersonalFileName(stored);
    else
        m_storedNameNote = QStringLiteral("The stored personal file name \"%1\" is not used: %2.").arg(stored, problem);
    m_platform.dialUp->setRecordMetered(m_settings.recordMetered());
    QStringList names;
    if (m_platform.dialUp->enumRecordable(names) && !names.isEmpty()) {
        m_filter.setEntries(names);
        m_filter.PhoneBookEntries_Are_Checked_OrNot(m_settings.phoneBookMarks());
    }
}

void Recorder::start()
{
    // The traffic monitor runs when the interface table can be read: an empty tab list, then one pass.
    m_traffic.primeTrafficMonitor();
    emit trafficChanged();
    const QString journalNotice = replayJournal();
    const SessionReload reload = m_period.UserProfileInitial();
    m_tracker.followReload(reload);
    followReload(reload);
    if (!journalNotice.isEmpty())
        showStatusLine(journalNotice);
    // Said once: without a dial-up system the program can only ever see itself offline.
    if (const QString reason = m_platform.dialUp->unavailableReason(); !reason.isEmpty())
        showStatusLine(reason);
    if (m_file.ProgramDir().isEmpty())
        showStatusLine(QStringLiteral("No folder for the personal file can be written."));
    if (const QString problem = m_settings.problem(); !problem.isEmpty())
        showStatusLine(problem);
    if (const QStringList notes = m_settings.values().notes; !notes.isEmpty())
        showStatusLine(notes.join(QLatin1Char(' ')));
    if (!m_storedNameNote.isEmpty())
        showStatusLine(m_storedNameNote);
    if (m_allowance.takeDisplayChange())
        emit allowanceChanged();
    emit viewChanged();
    MainTimer->start();
    ActiveTimer->start();
}

void Recorder::MainTimerTimer()
{
    followReload(m_tracker.tick());
    syncJournal();
    // A settings change the store could not take yet (its lock was busy) is written as soon as it can be.
    if (m_settings.hasPendingWrites()) {
        const QString before = m_settings.problem();
        if (m_settings.retryPendingWrites() && m_statusLine == before)
            showStatusLine(QString());
    }
    updateAllowance();
    emit viewChanged();
}

void Recorder::PollConnections()
{
    m_monitor.PollConnections();
    // The session's octets are those of the connection's own interface, once the system names it.
    m_traffic.setDialUpInterface(m_monitor.interfaceName());
}

void Recorder::TrafficTimerTimer()
{
    // While a session is open its tick samples, and the byte counts it records come from those passes alone.
    if (!m_trafficShown || m_tracker.SessionOpen())
        return;
    m_traffic.UpdateTrafficMonitor();
    // Outside a session the dial-up counters stay at zero, as the session's start expects them.
    m_traffic.zeroByteCounters();
    emit trafficChanged();
}

void Recorder::setTrafficShown(bool shown)
{
    m_trafficShown = shown;
    m_traffic.setPageShown(shown);
    if (shown && !m_finished)
        TrafficTimer->start();
    else
        TrafficTimer->stop();
}

void Recorder::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    MainTimer->stop();
    ActiveTimer->stop();
    TrafficTimer->stop();
    if (m_tracker.SessionOpen()) {
        m_tracker.finish();
        Trace::line(QStringLiteral("session closed at exit"));
    }
    keepWaitingRecords();
}

void Recorder::setRecordingStopped(bool stopped)
{
    if (stopped == m_stopped)
        return;
    m_stopped = stopped;
    if (stopped) {
        changeTrayIcon(13);
        MainTimer->stop();
        Trace::line(QStringLiteral("recording stopped"));
        return;
    }
    changeTrayIcon(IsConnected() && m_period.PersonalFileActive() ? m_tracker.minutesImage() : 0);
    MainTimer->start();
    Trace::line(QStringLiteral("recording resumed"));
}

void Recorder::resetData()
{
    m_tracker.resetData();
    emit viewChanged();
}

void Recorder::setMonitorWatching(bool on)
{
    if (on)
        ActiveTimer->start();
    else
        ActiveTimer->stop();
}

bool Recorder::monitorWatching() const
{
    return ActiveTimer->isActive();
}

void Recorder::changeTrayIcon(int imageIndex)
{
    if (m_trayShown)
        emit trayImageChanged(imageIndex);
}

bool Recorder::refreshPhoneBook()
{
    QStringList names;
    if (!m_platform.dialUp->enumRecordable(names)) {
        showStatusLine(QStringLiteral("The phone book cannot be read."));
        return false;
    }
    m_filter.refresh(names);
    return true;
}

bool Recorder::savePhoneBookMarks()
{
    // A failure reaches the status line through the settings' problem reporter.
    return m_settings.setPhoneBookMarks(m_filter.checkedNames());
}

void Recorder::showStatusLine(const QString& text)
{
    if (text == m_statusLine)
        return;
    m_statusLine = text;
    Trace::line(QStringLiteral("status-line ") + text);
    emit statusLineChanged(text);
}

void Recorder::showDayPeriod(const QString& text)
{
    m_dayPeriod = text;
    emit dayPeriodChanged(text);
}

void Recorder::listBackupFiles(const QString& folder)
{
    m_backupFolder = folder;
    emit backupFolderChanged(folder);
}

void Recorder::UpdateTrafficMonitor()
{
    m_traffic.UpdateTrafficMonitor();
    emit trafficChanged();
}

void Recorder::ClearTrafficMonitor()
{
    m_traffic.ClearTrafficMonitor();
    emit trafficChanged();
}

AlertOptions Recorder::alertOptions() const
{
    AlertOptions options;
    options.sixtyMinsToAlert = m_settings.sixtyMinsToAlert();
    options.autoClose = m_settings.autoClose60MinsForm();
    options.noSound = m_settings.alertNoSound();
    options.position = m_settings.alertPos();
    return options;
}

void Recorder::showAlert(const QString& message, bool autoClose, AlertCorner corner)
{
    emit hourlyAlert(message, autoClose, corner);
}

ProfileSetup::Outcome Recorder::confirmProfile(const QString& startingDay, const QString& endingDay)
{
    const ProfileSetup::Confirmation confirmed = m_profileSetup.confirmProfile(startingDay, endingDay);
    m_tracker.followReload(confirmed.reload);
    followReload(confirmed.reload);
    return confirmed.outcome;
}

void Recorder::followReload(const SessionReload& reload)
{
    if (reload.startAfresh)
        m_allowance.clear();
    if (reload.nextFilePointer)
        loadAllowance(*reload.nextFilePointer);
}

void Recorder::loadAllowance(qint64 recordCount)
{
    const PersonalFile::HeaderRead header = m_file.readHeader();
    if (recordCount < 1 || header.status != PersonalFile::HeaderRead::Status::Ok)
        return;
    const QString path = m_file.filePath();
    const QDate start = StoredDate::parseDate(header.record.CreatedDate);
    const QDate next = StoredDate::parseDate(header.record.NextPeriodDate);
    if (!m_allowance.needsTotals(path, start, next, recordCount)) {
        m_allowance.reloaded();
        return;
    }
    const QDate today = m_platform.clock->now().date();
    const std::shared_ptr<CalculationResult> totals = RecordFileCalculator().CalculateRecordFile(path);
    m_allowance.load(path, start, next, recordCount, UsageFromFile::of(*totals, today), today);
}

void Recorder::sessionClosed(qint64 seconds, quint32 received, quint32 sent)
{
    m_allowance.sessionClosed(m_platform.clock->now(), seconds, received, sent);
}

qint64 Recorder::openSessionSeconds(const Clock::Reading& now) const
{
    // As sessionStartTime().secsTo(now): the start's local time is read in the zone as it stands now.
    return m_tracker.SessionOpen()
               ? std::max<qint64>((now.msecs - m_tracker.sessionStartTime().toMSecsSinceEpoch()) / 1000, 0)
               : 0;
}

void Recorder::CheckHourlyAlert(qint32 usedMinutes)
{
    // Asked during the tracker's tick, which has read the clock.
    m_alerts.CheckHourlyAlert(usedMinutes, openSessionSeconds(m_tracker.tickTime()));
}

void Recorder::updateAllowance()
{
    if (m_allowance.active()) {
        // The clock as the tick that has just run read it.
        const Clock::Reading& now = m_tracker.tickTime();
        const bool open = m_tracker.SessionOpen();
        m_allowance.tick(now.local, open, openSessionSeconds(now), m_traffic.DialUpBytesReceived(),
                         m_traffic.DialUpBytesSent());
        QList<AllowanceCrossing> crossed;
        if (m_allowance.checkWarnings(&crossed))
            warnAllowance(crossed, now.local);
    }
    if (m_allowance.takeDisplayChange())
        emit allowanceChanged();
}

void Recorder::warnAllowance(const QList<AllowanceCrossing>& crossed, const QDateTime& now)
{
    const AllowanceText::Warning warning = AllowanceText::warning(crossed, m_allowance.status(now));
    Trace::line(QStringLiteral("allowance-warning ") + warning.summary);
    // Remembered first, so a restart never warns of the same threshold again.
    m_settings.setAllowanceWarned(m_allowance.warnedRecord());
    const AlertOptions options = alertOptions();
    if (!options.noSound)
        m_alertSound.PlaySound(AlertScheduler::soundName);
    emit allowanceAlert(warning.message, options.autoClose, AlertPlacement::cornerFromText(options.position));
    if (m_settings.allowance().notifyDesktop && m_platform.notifications)
        m_platform.notifications->notify(warning.summary, warning.body);
}

bool Recorder::setAllowance(const AllowanceSettings& allowance)
{
    const bool stored = m_settings.setAllowance(allowance);
    m_allowance.setSettings(allowance, m_settings.allowanceWarned());
    if (m_allowance.takeDisplayChange())
        emit allowanceChanged();
    return stored;
}

bool Recorder::setTrayMode(bool on)
{
    return m_settings.setInTray(on);
}

bool Recorder::setRecordMetered(bool on)
{
    const bool stored = m_settings.setRecordMetered(on);
    m_platform.dialUp->setRecordMetered(on);
    QStringList names;
    if (m_platform.dialUp->enumRecordable(names))
        m_filter.refresh(names);
    return stored;
}

QString Recorder::meteredUnavailableReason() const
{
    return m_platform.dialUp->meteredUnavailableReason();
}

bool Recorder::setStartAtLogin(bool on)
{
    // The entry starts the program where it is installed, which is not always the personal files' folder.
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(AppInfo::ExecutableName);
    bool starts = on;
    if (on) {
        starts = m_platform.startup->WriteStartupEntry(AppInfo::ProgramTitle, program);
        if (!starts)
            m_platform.dialogs->showMessage(
                Dialogs::Kind::Error, QStringLiteral("The start-up entry could not be written.") + QLatin1Char(' ') +
                                          QStringLiteral("Qov Ruvela will not start when you log in."));
    } else {
        starts = !m_platform.startup->RemoveStartupEntry(AppInfo::ProgramTitle);
        if (starts)
            m_platform.dialogs->showMessage(
                Dialogs::Kind::Error, QStringLiteral("The start-up entry could not be removed.") + QLatin1Char(' ') +
                                          QStringLiteral("Qov Ruvela will still start when you log in."));
    }
    m_settings.setRunWhenWinStarts(starts);
    return starts;
}

AllowanceStatus Recorder::allowanceStatus() const
{
    return m_allowance.status(m_platform.clock->now());
}
