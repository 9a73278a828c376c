// Reading and writing the simulated dial-up system's text file.
#include "platform/sim/SimulationFile.h"

#include <QHash>

namespace SimulationFile {

quintptr handleOf(const QString& entryName)
{
    return static_cast<quintptr>(qHash(entryName)) | 1u;
}

static bool parseNumber(const QString& word, quint32& out)
{
    bool ok = false;
    out = word.toUInt(&ok);
    return ok;
}

bool parse(const QString& text, SimulatedSystem& out, QString& error)
{
    out = SimulatedSystem();
    const QStringList lines = text.split(QLatin1Char('\n'));
    QString previous; // the first word of the last line that was not blank or a comment
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString word = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = line.section(QLatin1Char(' '), 1).trimmed();
        const auto bad = [&](const QString& why) {
            error = QStringLiteral("line %1: %2").arg(i + 1).arg(why);
            return false;
        };
        if (word == QLatin1String("entry")) {
            if (rest.isEmpty())
                return bad(QStringLiteral("an entry needs a name"));
            out.entries.append(rest);
        } else if (word == QLatin1String("connection")) {
            RasConnection c;
            const QString name = rest.section(QLatin1Char(' '), 2).trimmed();
            if (!parseNumber(rest.section(QLatin1Char(' '), 0, 0), c.state) ||
                !parseNumber(rest.section(QLatin1Char(' '), 1, 1), c.error) || name.isEmpty())
                return bad(QStringLiteral("a connection needs STATE ERROR NAME"));
            c.entryName = name;
            c.handle = handleOf(name);
            out.connections.append(c);
        } else if (word == QLatin1String("refuse")) {
            if (!parseNumber(rest, out.refuseDial) || out.refuseDial == 0)
                return bad(QStringLiteral("refuse needs an error code"));
        } else if (word == QLatin1String("fail")) {
            if (!parseNumber(rest, out.failDial) || out.failDial == 0)
                return bad(QStringLiteral("fail needs an error code"));
        } else if (word == QLatin1String("interface")) {
            if (rest.isEmpty() || rest.contains(QLatin1Char(' ')) || previous != QLatin1String("connection"))
                return bad(QStringLiteral("an interface needs a NAME and a connection on the line before"));
            out.connections.last().interfaceName = rest;
        } else if (word == QLatin1String("unavailable") && rest.isEmpty()) {
            out.unavailable = true;
        } else {
            return bad(QStringLiteral("unknown line \"%1\"").arg(line.left(40)));
        }
        previous = word;
    }
    return true;
}

QString format(const SimulatedSystem& system)
{
    QString text = QStringLiteral("# Simulated dial-up system for Qov Ruvela\n");
    for (const QString& e : system.entries)
        text += QStringLiteral("entry %1\n").arg(e);
    for (const RasConnection& c : system.connections) {
        text += QStringLiteral("connection %1 %2 %3\n").arg(c.state).arg(c.error).arg(c.entryName);
        if (!c.interfaceName.isEmpty())
            text += QStringLiteral("interface %1\n").arg(c.interfaceName);
    }
    if (system.unavailable)
        text += QStringLiteral("unavailable\n");
    if (system.refuseDial != 0)
        text += QStringLiteral("refuse %1\n").arg(system.refuseDial);
    if (system.failDial != 0)
        text += QStringLiteral("fail %1\n").arg(system.failDial);
    return text;
}

} // namespace SimulationFile
