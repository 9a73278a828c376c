// Session records that wait for the disk outlive the program: at its end they go to a journal in the user's
// state folder, and the next start writes them into their file. Records sit at fixed places in the file,
// so writing one again that did land the first time changes nothing.
#include "core/Recorder.h"

#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/Trace.h"
#include "record/PendingJournal.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {
QString recordsText(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 session record") : QStringLiteral("%1 session records").arg(count);
}

/// "was" or "were", as the count asks.
QString were(qsizetype count)
{
    return count == 1 ? QStringLiteral("was") : QStringLiteral("were");
}
} // namespace

QString Recorder::replayJournal()
{
    if (m_journalPath.isEmpty())
        return QString();
    const std::optional<PendingJournal::Contents> journal = PendingJournal::read(m_journalPath);
    if (!journal)
        return QString();
    const QString name = QFileInfo(journal->file).fileName();
    // The file must still be the one the records were kept for: a new period's file under the same name
    // has another header.
    const std::optional<ProfileRecord> now = PersonalFile::readHeaderOf(journal->file);
    if (!journal->header.isEmpty() && now && now->toBytes() != journal->header) {
        // Moved aside, so that the journal of a later end cannot overwrite them.
        const QString aside = m_journalPath + m_platform.clock->now().toString(QStringLiteral("-yyyyMMdd-hhmmss"));
        const QString kept = QFile::rename(m_journalPath, aside) ? aside : m_journalPath;
        return QStringLiteral("%1 kept at the last exit belonged to an earlier %2; they stay in %3.")
            .arg(recordsText(journal->records.size()), name, kept);
    }
    m_file.adoptPending(journal->file, journal->records);
    m_journalOutstanding = true;
    m_journalFromLastRun = true;
    m_journalVersion = m_file.pendingVersion();
    if (!m_file.retryPendingWrites())
        return QStringLiteral("%1 kept at the last exit wait to be written into %2.")
            .arg(recordsText(journal->records.size()), name);
    QFile::remove(m_journalPath);
    m_journalOutstanding = false;
    Trace::line(QStringLiteral("journal replayed"));
    return QStringLiteral("%1 kept at the last exit %2 written into %3.")
        .arg(recordsText(journal->records.size()), were(journal->records.size()), name);
}

void Recorder::syncJournal()
{
    if (m_journalPath.isEmpty())
        return;
    if (m_file.pendingWrites() == 0) {
        if (!m_journalOutstanding)
            return;
        QFile::remove(m_journalPath);
        m_journalOutstanding = false;
        if (m_journalFromLastRun)
            showStatusLine(QStringLiteral("The session records kept at the last exit are written."));
        m_journalFromLastRun = false;
        return;
    }
    if (m_file.pendingVersion() == m_journalVersion)
        return;
    QString problem;
    if (writeJournal(&problem))
        m_journalVersion = m_file.pendingVersion();
}

bool Recorder::writeJournal(QString* problem)
{
    PendingJournal::Contents contents;
    contents.file = m_file.pendingPath();
    if (const std::optional<ProfileRecord> header = PersonalFile::readHeaderOf(contents.file))
        contents.header = header->toBytes();
    contents.records = m_file.pendingRecords();
    if (m_journalPath.isEmpty()) {
        *problem = QStringLiteral("no journal folder is known");
        return false;
    }
    if (!PendingJournal::write(m_journalPath, contents, problem))
        return false;
    m_journalOutstanding = true;
    return true;
}

void Recorder::keepWaitingRecords()
{
    if (m_file.pendingWrites() == 0 || m_file.retryPendingWrites()) {
        if (m_journalOutstanding && !m_journalPath.isEmpty())
            QFile::remove(m_journalPath);
        m_journalOutstanding = false;
        return;
    }
    QTextStream err(stderr);
    const QString file = m_file.pendingPath();
    const qsizetype count = m_file.pendingRecords().size();
    QString problem;
    if (writeJournal(&problem)) {
        err << "qovruvela: " << file << " cannot be written; " << recordsText(count) << " kept in " << m_journalPath
            << " and written at the next start.\n";
        Trace::line(QStringLiteral("journal written"));
        return;
    }
    err << "qovruvela: " << file << " cannot be written, and " << recordsText(count) << " cannot be kept (" << problem
        << "):\n";
    for (const QString& line : PendingJournal::describe(m_file.pendingRecords()))
        err << "  " << line << '\n';
}
