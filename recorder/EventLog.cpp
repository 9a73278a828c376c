// Lines for a terminal or the journal: written at once, never buffered, never waited on.
#include "recorder/EventLog.h"

#include <cstdio>

EventLog::EventLog(Now now, Sink sink) : m_now(std::move(now)), m_sink(std::move(sink)) {}

void EventLog::say(const QString& text)
{
    QString oneLine = text.simplified();
    if (oneLine.isEmpty() || oneLine == m_last)
        return;
    m_last = oneLine;
    m_sink(m_now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss ")) + oneLine);
}

void EventLog::standardError(const QString& line)
{
    const QByteArray bytes = line.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}
