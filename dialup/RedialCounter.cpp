// The redial countdown's steps.
#include "dialup/RedialCounter.h"

RedialCounter::Result RedialCounter::tick()
{
    if (m_count >= maxRedials) {
        reset();
        return {Step::GiveUp};
    }
    ++m_countdown;
    const int left = countdownSeconds - m_countdown;
    if (m_countdown < countdownSeconds)
        return {Step::Countdown, left};
    m_countdown = 0;
    ++m_count;
    return {Step::Redial, left};
}

void RedialCounter::reset()
{
    m_count = 0;
    m_countdown = 0;
}
