// The active personal data file: its name and folder, writing one record, counting and reading records.
#pragma once

#include "record/ProfileRecord.h"

#include <QList>
#include <QMap>
#include <QString>
#include <functional>

class Clock;
class Dialogs;

class PersonalFile
{
public:
    /// `programDir` is the folder of the personal files and always ends in "/".
    PersonalFile(QString programDir, Clock& clock, Dialogs& dialogs);

    /// Where routine conditions are reported: the main window's status line.
    void setStatusLine(std::function<void(const QString&)> statusLine) { m_statusLine = std::move(statusLine); }

    QString ProgramDir() const { return m_programDir; }

    /// The chosen name followed by ".rvl", without a folder; empty when none was chosen yet.
    QString PersonalFileName() const { return m_personalFileName; }
    void setPersonalFileName(const QString& fileName) { m_personalFileName = fileName; }
    /// The chosen name without its extension.
    QString PersonalName() const;
    /// The chosen name followed by "/": the backup folder below ProgramDir.
    QString BackupDirName() const;

    /// False without a folder (none could be written) or without a chosen name: there is no file to use.
    bool isNamed() const { return !m_programDir.isEmpty() && !m_personalFileName.isEmpty(); }
    QString filePath() const { return m_programDir + m_personalFileName; }
    QString backupDirPath() const { return m_programDir + BackupDirName(); }
    bool exists() const;

    /// Builds one record from the arguments and writes it at `recordIndex` (one open, one positioned write,
    /// one close; the file is never truncated). Without `createIfMissing` the record is a session's: one that
    /// cannot be written (a full disk, a read-only or missing file) is kept and written before any later
    /// record, at the next write or retry, and the status line tells how many wait; the file is never
    /// created. With it, a missing file is created whole under a temporary name and then renamed into place,
    /// so it is never found half written; a failure is reported in an error box that does not wait, during
    /// which FileErrorShowing is true.
    bool SaveProfileInfo(const QString& tag, bool createIfMissing, const QString& createdDate,
                         const QString& nextPeriodDate, qint32 startingDayOrBytesReceived, qint32 endingDayOrBytesSent,
                         const QString& startText, const QString& endText, qint32 usedMinutes, qint64 recordIndex);

    /// True exactly while the error box of a failed header write is open; no second one opens meanwhile.
    bool FileErrorShowing() const { return m_fileErrorShowing; }

    /// Called with "new-file-written" when a new file is whole under its temporary name; a debugging aid.
    void setStepHook(std::function<void(const QString& step)> hook) { m_stepHook = std::move(hook); }

    /// The roll-over's marker beside the active file ("NAME.rvl.rollover"): written before the finished file
    /// moves and removed once the new file is in place, so that a missing file is only ever taken for a
    /// roll-over cut short when one was under way. True when it is there.
    bool writeRollOverMarker();
    void removeRollOverMarker();
    /// The marker or the new file's temporary is there: a roll-over began and did not finish.
    bool rollOverUnderWay() const;

    /// The index of the next session record for a file of `recordCount` records, counting the records that
    /// wait to be written into it; the file itself is not opened.
    qint64 nextPointerAfter(qint64 recordCount) const;

    /// Session records that could not be written yet.
    int pendingWrites() const { return int(m_pending.size()); }
    /// Those records, by record index, and the file they belong to.
    const QMap<qint64, QByteArray>& pendingRecords() const { return m_pending; }
    QString pendingPath() const { return m_pendingPath; }
    /// Changes whenever a record joins or replaces one of the waiting records.
    quint64 pendingVersion() const { return m_pendingVersion; }
    /// Records an earlier run could not write, taken as waiting records of the file at `path`; only while
    /// none wait yet. They are written, in order, with the next write or retry.
    bool adoptPending(const QString& path, const QMap<qint64, QByteArray>& records);
    /// Tries the waiting records again, in order; true when none waits any more.
    bool retryPendingWrites();

    /// The number of whole records, counting those that wait to be written: the index of the next session
    /// record. -1, after an error box, when the file cannot be opened.
    qint64 GetNextPointerOnmrLogFile();

    struct HeaderRead
    {
        enum class Status
        {
            Ok,
            Missing,    ///< no file of that name, or no name chosen
            Unreadable, ///< the file exists but cannot be opened for reading and writing
            TooShort,   ///< fewer than 104 bytes
            WrongTag    ///< record 0 is not tagged "[UserProfile]"
        };
        Status status = Status::Missing;
        ProfileRecord record;
        QString problem; ///< the system's description when the file could not be opened
    };

    /// Reads record 0 of the active file. The file is opened for reading and writing, the way it is opened
    /// for recording, so a file the program could not record into is not taken as usable.
    HeaderRead readHeader() const;

    /// Record 0 of any personal data file, opened for reading only; nothing when it cannot be read.
    static std::optional<ProfileRecord> readHeaderOf(const QString& path);

    /// Every whole record of any personal data file, the active one or a backup, for totalling: opened for
    /// reading only, so a write-protected backup can be totalled too. A partial record at the end is left out. Nothing,
    /// with the system's description in `problem`, when it cannot be opened.
    static std::optional<QList<ProfileRecord>> readRecords(const QString& path, QString* problem = nullptr);

private:
    void reportOpenFailure(const QString& problem);
    bool createWhole(const QByteArray& header);
    bool writePending();

    static constexpr const char* newFileSuffix = ".new";
    static constexpr const char* rollOverSuffix = ".rollover";

    QString m_programDir;
    Clock& m_clock;
    Dialogs& m_dialogs;
    std::function<void(const QString&)> m_statusLine;
    QString m_personalFileName;
    bool m_fileErrorShowing = false;
    // Session records waiting to be written, by record index, and the file they belong to.
    QMap<qint64, QByteArray> m_pending;
    QString m_pendingPath;
    quint64 m_pendingVersion = 0;
    bool m_writeFailureShown = false;
    QString m_lastOpenFailure; ///< shown once until a write works again
    std::function<void(const QString&)> m_stepHook;
};
