// Session records that could not be written into their personal file when the program ended: kept in a
// small journal in the user's state folder, often on another file system, and written at the next start.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace PendingJournal {

struct Contents
{
    QString file;                     ///< the personal file the records belong to
    QByteArray header;                ///< its record 0 when the journal was written; empty when unreadable
    QMap<qint64, QByteArray> records; ///< record index -> the record's 104 bytes
};

/// `$XDG_STATE_HOME/QovRuvela/pending-records` (`~/.local/state/...` without it).
QString defaultPath();

/// Writes the journal whole or not at all (the folder made private when missing). False with the system's
/// description in `problem` when it cannot be written.
bool write(const QString& journal, const Contents& contents, QString* problem);

/// Nothing when there is no journal, or it cannot be read as one.
std::optional<Contents> read(const QString& journal);

/// One line per session record, "from START to END", for a message when the records could not be kept.
QStringList describe(const QMap<qint64, QByteArray>& records);

} // namespace PendingJournal
