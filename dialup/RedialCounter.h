// The automatic redial of a busy or unanswered line: six seconds of countdown, at most five redials.
#pragma once

class RedialCounter
{
public:
    enum class Step
    {
        Countdown, ///< show "Redial " and the seconds left
        Redial,    ///< the countdown ran out: dial again
        GiveUp,    ///< five redials are spent: "The line is still busy"
    };
    struct Result
    {
        Step step;
        int secondsLeft = 0;
    };

    static constexpr int maxRedials = 5;
    static constexpr int countdownSeconds = 6;

    /// One second of the redial timer.
    Result tick();
    /// Stops the redial: both counters back to 0.
    void reset();
    /// A successful connection starts the next busy line's count afresh.
    void connected() { m_count = 0; }

    int count() const { return m_count; }
    int countdown() const { return m_countdown; }

private:
    int m_count = 0;
    int m_countdown = 0;
};
