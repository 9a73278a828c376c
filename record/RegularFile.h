// Opening a file that should hold records: never waits on a named pipe or a device, and refuses anything
// but a regular file, checked on the file actually opened (a name swapped meanwhile changes nothing).
#pragma once

#include <QFile>
#include <QString>

namespace RegularFile {

enum class Opened
{
    Ok,
    Missing,    ///< no such file
    NotRegular, ///< a folder, a pipe, a device, a socket
    Failed      ///< `problem` says why
};

/// Whether the open `file` is a regular file (not a pipe, whose reads could wait for ever).
bool isRegular(const QFile& file);

/// Opens `path` for reading into `file`; `problem` gets the system's description of a failure.
Opened openForReading(QFile& file, const QString& path, QString* problem);
/// The same for a name given as the file system's bytes, which need not be text in the locale's encoding.
Opened openForReading(QFile& file, const QByteArray& nativePath, QString* problem);

} // namespace RegularFile
