// Another start of the program asks the running copy to bring its window forward.
#pragma once

#include <functional>

class ShowRequests
{
public:
    virtual ~ShowRequests() = default;

    /// In the running copy, once it holds the running-copy mark: calls `show` from the event loop for each
    /// request of another start. Never waits on the other start.
    virtual void listen(std::function<void()> show) = 0;
    /// In a start that found another copy running: asks it to show its window, waiting a moment at most.
    /// True when the request was handed over; false when no window copy listens (a headless one, say).
    virtual bool askToShow() = 0;
};
