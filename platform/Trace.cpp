// The trace file is opened and closed for each line, so a killed program leaves every line before it.
#include "platform/Trace.h"

#include <QDateTime>
#include <QFile>

namespace Trace {

void line(const QString& event)
{
    static const QString path = qEnvironmentVariable("QOVRUVELA_TRACE");
    if (path.isEmpty())
        return;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        file.write((QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz ")) + event + QLatin1Char('\n'))
                       .toUtf8());
    }
}

} // namespace Trace
