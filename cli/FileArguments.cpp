#include "cli/FileArguments.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// The name as text when it is text in the locale's encoding; otherwise its ASCII with every other byte as \xHH.
QString shownName(const QByteArray& native)
{
    QStringDecoder decode(QStringDecoder::System, QStringDecoder::Flag::Stateless);
    const QString text = decode(native);
    if (!decode.hasError())
        return text;
    QString shown;
    for (const char c : native) {
        const auto byte = static_cast<unsigned char>(c);
        shown += byte < 0x80 ? QString(QLatin1Char(c)) : QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    return shown;
}

} // namespace

QList<FileArgument> fileArguments(const QStringList& positional, const QList<QByteArray>& arguments)
{
    QList<FileArgument> files;
    qsizetype from = 0;
    for (const QString& name : positional) {
        FileArgument file{name, QFile::encodeName(name)};
        for (qsizetype i = from; i < arguments.size(); ++i) {
            if (QFile::decodeName(arguments.at(i)) == name) {
                file.native = arguments.at(i);
                file.shown = shownName(file.native);
                from = i + 1;
                break;
            }
        }
        files.append(file);
    }
    return files;
}
