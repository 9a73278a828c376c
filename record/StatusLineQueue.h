// The status line's messages in turn: each stays long enough to be read before the next takes its place.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class StatusLineQueue
{
public:
    /// How long a message stands before another may replace it.
    static constexpr qint64 holdMsecs = 5000;
    /// Messages waiting their turn at most; older ones give way to newer ones.
    static constexpr int maxWaiting = 4;

    /// The core says `text` at `now` (an empty text clears the line). True when the shown text changed.
    bool post(const QString& text, const QDateTime& now);
    /// Moves on to the next waiting message once the shown one has stood its time. True when it changed.
    bool advance(const QDateTime& now);

    QString shown() const { return m_shown; }
    /// Whether a message waits for its turn.
    bool waiting() const { return !m_waiting.isEmpty(); }
    /// When the next waiting message is due; invalid when none waits.
    QDateTime nextChange() const;

private:
    void show(const QString& text, const QDateTime& now);

    QString m_shown;
    QDateTime m_shownSince;
    QList<QString> m_waiting;
};
