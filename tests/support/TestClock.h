// A clock that stands still until a test moves it.
#pragma once

#include "platform/Clock.h"

class TestClock final : public Clock
{
public:
    explicit TestClock(QDateTime start = QDateTime(QDate(2024, 3, 20), QTime(10, 0, 0))) : m_now(std::move(start)) {}

    QDateTime now() const override { return m_now; }
    void set(const QDateTime& moment) { m_now = moment; }
    void advance(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};
