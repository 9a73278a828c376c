// The files named on the command line as the file system has them. The toolkit decodes the arguments in the
// locale's encoding, and a name in another one (Latin-1 bytes on a UTF-8 system) would not survive the round
// trip back to bytes: the file could never be opened.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct FileArgument
{
    QString shown;     ///< the name for the report and its messages; bytes that are no text show as \xHH
    QByteArray native; ///< the name to open
};

/// `positional` as the parser gave them, matched in order to the raw `arguments` (argv without the
/// program's name).
QList<FileArgument> fileArguments(const QStringList& positional, const QList<QByteArray>& arguments);
