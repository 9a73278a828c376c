// What the windows would show, as lines on standard error: one line per event, led by the time of day.
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

class EventLog
{
public:
    using Now = std::function<QDateTime()>;
    using Sink = std::function<void(const QString& line)>;

    /// `now` stamps each line; `sink` receives it without its line end (by default standard error).
    explicit EventLog(Now now, Sink sink = standardError);

    /// Says `text` (line breaks become spaces). A text equal to the last one said is not said again until
    /// another comes: a problem met on every tick is one line, not one a second.
    void say(const QString& text);

    static void standardError(const QString& line);

private:
    Now m_now;
    Sink m_sink;
    QString m_last;
};
