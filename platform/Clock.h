// The one source of "now" for the whole program: local wall time.
#pragma once

#include <QDateTime>
#include <utility>

class Clock
{
public:
    /// One reading of the clock: the local time, and the same instant in milliseconds since the epoch.
    struct Reading
    {
        QDateTime local;
        qint64 msecs = 0;
    };

    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    /// Now, with its milliseconds since the epoch. Each conversion between the two reads the zone again (with
    /// TZ unset, the C library looks at /etc/localtime every time): what counts with both reads the clock so.
    virtual Reading read() const
    {
        QDateTime local = now();
        const qint64 msecs = local.toMSecsSinceEpoch();
        return {std::move(local), msecs};
    }
};

// Reads the system clock.
class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    Reading read() const override
    {
        const qint64 msecs = QDateTime::currentMSecsSinceEpoch();
        return {QDateTime::fromMSecsSinceEpoch(msecs), msecs};
    }
};
