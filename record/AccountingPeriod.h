// The accounting period of the active personal file: loading its header, the recording days, the roll-over
// into a new file when the next period begins, and the move of finished files into the backup folder.
#pragma once

#include "record/ProfileRecord.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

class Clock;
class Dialogs;
class PersonalFile;

// What a load of the personal file means for the session tracker. The period returns it and its caller
// hands it on: the period never calls into the tracker, which may be the one that asked for the load.
struct SessionReload
{
    /// A fresh start for the session tracker: no session open, start and end texts empty, used minutes and
    /// both byte counters 0, the online animation at its first step, the scale pointer at 1, the next hourly
    /// alert at hour 1.
    bool startAfresh = false;
    /// The record count of the file just loaded: the index at which the next session record is written.
    /// Nothing when the load left it as it was.
    std::optional<qint64> nextFilePointer;

    /// This outcome followed by `later`'s: what both loads together leave behind.
    void then(const SessionReload& later)
    {
        if (later.startAfresh) {
            *this = later;
        } else if (later.nextFilePointer) {
            nextFilePointer = later.nextFilePointer;
        }
    }
};

// What "Create Personal File" did: whether the new file was written, and the load that followed.
struct NewFileOutcome
{
    bool written = false;
    SessionReload reload;
    explicit operator bool() const { return written; }
};

// What the period logic shows outside itself: the main window's labels.
class PeriodHost
{
public:
    virtual ~PeriodHost() = default;
    /// The period and file label lblDayPeriod.
    virtual void showDayPeriod(const QString& text) = 0;
    /// The status line lblStatusBar.
    virtual void showStatusLine(const QString& text) = 0;
    /// Lists the finished files of the backup folder on the Calculation tab.
    virtual void listBackupFiles(const QString& folder) = 0;
};

class AccountingPeriod
{
public:
    AccountingPeriod(PersonalFile& file, Clock& clock, Dialogs& dialogs, PeriodHost& host);

    /// Loads the active file's header; decides PersonalFileActive and TodayInPeriod. Run at start-up, at the
    /// end of each session, after a roll-over and after a new file. The session tracker starts afresh.
    SessionReload UserProfileInitial();

    /// Whether today is a recording day of the period in the file's header; false when it cannot be read.
    bool IsTodayInPeriod();

    /// Sets CreatedMonth and CreatedDay from the header's CreatedDate; 255 where that fails.
    void LoadCreationDate();

    /// Rolls the file over once today has reached NextPeriodDate: the finished file goes to the backup folder
    /// and a new file with a fresh header takes its name. Run at the start of every main-timer tick while a
    /// personal file is active. When the backup fails, the finished file stays whole and in use, and a later
    /// tick tries again; so it does while session records wait to be written into the finished file.
    /// The load of the new file when the roll-over happened.
    SessionReload CheckPeriodEnd();
    /// Whether today has reached the next period and no box of an earlier attempt is open.
    bool PeriodEndDue() const;
    /// Whether this tick's CheckPeriodEnd can move the finished file: the roll-over is due, every session
    /// record waiting for the disk is written, and the backup folder is there (made when missing) and
    /// writable. The open session is then saved into the finished file first.
    bool RollOverReady();

    /// True while a file that was in use cannot be reached (a read-only, full or unmounted folder): its name
    /// is kept, and RetryLoad brings it back as soon as it can be read.
    bool WaitingForFile() const { return m_waitingForFile; }
    /// Tries the waiting file again; loads it when it can be read, finishing a cut-short roll-over if needed.
    /// A session opened meanwhile (`openSession`, its record index) goes on in its record, which is written
    /// at once.
    SessionReload RetryLoad(std::optional<qint64> openSession = std::nullopt);
    /// True while the waiting file is known to come back: it exists but cannot be opened, or a roll-over
    /// is under way. Sessions are then recorded in memory, at the index the file will give them, and
    /// written when it can be (a file merely missing records nothing until it is loaded again).
    bool KeepsSessionsWhileWaiting() const { return m_waitingForFile && m_keepsSessions; }
    /// Whether today is a recording day: the loaded file's answer, or while sessions are kept in memory,
    /// the days of the file last loaded.
    bool RecordsToday() const;
    QString waitingText() const;

    /// Called at each step of a roll-over with the step's name; a debugging aid for stopping there.
    void setStepHook(std::function<void(const QString& step)> hook);

    enum class BackupResult
    {
        Moved,         ///< the active file is now in a backup slot
        NothingToMove, ///< there was no active file
        Failed         ///< reported; the active file is where it was
    };
    /// Moves the active file into its backup folder, reporting any failure in an error box that does not wait.
    BackupResult BackupFile();

    /// The work of "Create Personal File" once the days are checked: the current file goes to the backup
    /// folder, and only when that worked, a new file with the given days is started and loaded.
    NewFileOutcome StartNewFile(int startingDay, int endingDay);

    bool PersonalFileActive() const { return m_personalFileActive; }
    bool TodayInPeriod() const { return m_todayInPeriod; }
    QString NextPeriodDate() const { return m_nextPeriodDate; }
    int StartingDay() const { return m_startingDay; }
    int EndingDay() const { return m_endingDay; }
    int CreatedMonth() const { return m_createdMonth; }
    int CreatedDay() const { return m_createdDay; }
    /// True exactly while a backup error box is open; ticks meanwhile leave the files alone.
    bool BackupErrorShowing() const { return m_backupErrorShowing; }
    /// True while the notice of a creation date later than today is open.
    bool DateNoticeShowing() const { return m_dateNoticeShowing; }

    static constexpr int notLoaded = 255;
    static inline const QString dayPeriodCaption = QStringLiteral("Active user :");
    static inline const QString noPersonalFileText = QStringLiteral("No personal file is loaded.");
    static inline const QString damagedHeaderText = QStringLiteral("The personal file's header is damaged.");

private:
    /// UserProfileInitial, where `keptSession` is the record index of a session that goes on in the file.
    SessionReload load(std::optional<qint64> keptSession);
    /// A roll-over cut short (by a kill or a full disk) left the finished file in the backup folder and no
    /// usable active file: a new one is started from the newest backup's days. Only on the roll-over's own
    /// evidence, its marker or its temporary file: a file the user removed stays removed. True when it was.
    bool finishInterruptedRollOver();
    /// A file that cannot be opened for writing but can be read (a read-only folder): its days and record
    /// count, so that sessions are kept for it. False when it cannot be read as a usable header either.
    bool takeReadOnlyHeader();
    /// The notice of a file created after today's date: once per file, without waiting. The file is used
    /// as it is; a clock that is behind never changes it.
    void noticeFutureFile(const ProfileRecord& header);
    void step(const QString& name) const;
    BackupResult backup(bool reportRepeats);
    bool writeHeader(const QDate& today, int startingDay, int endingDay);
    void reportError(const QString& text);
    QString today() const;

    PersonalFile& m_file;
    Clock& m_clock;
    Dialogs& m_dialogs;
    PeriodHost& m_host;

    bool m_personalFileActive = false;
    bool m_todayInPeriod = false;
    QString m_nextPeriodDate;
    QDate m_nextPeriodDay; ///< m_nextPeriodDate read as a date; invalid when there is none
    int m_startingDay = 0;
    int m_endingDay = 0;
    int m_createdMonth = notLoaded;
    int m_createdDay = notLoaded;
    bool m_backupErrorShowing = false;
    bool m_dateNoticeShowing = false;
    QString m_lastBackupError;
    QString m_toldUnreadableNext; ///< file name and next-period text last reported as unreadable
    QString m_lastActiveName;     ///< the file last loaded for recording
    QString m_toldFutureFile;     ///< file name and creation date last given the date notice
    bool m_waitingForFile = false;
    bool m_keepsSessions = false;
    qint64 m_lastRecordCount = 0; ///< the record count of the last load
    QString m_afterLoadNotice;    ///< shown on the status line once the load is done
    std::function<void(const QString&)> m_stepHook;
};
