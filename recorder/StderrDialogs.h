// Message boxes with no one to read them: each box's text becomes a line of the event log and nothing ever
// waits. A box "closes" as soon as the event loop runs again, so a guard set while it shows is cleared on the
// next turn; questions are answered as a closed box answers them: No, and no input.
#pragma once

#include "platform/Dialogs.h"

class EventLog;

class StderrDialogs final : public Dialogs
{
public:
    explicit StderrDialogs(EventLog& log) : m_log(log) {}

    void beep() override {}
    void showMessage(Kind kind, const QString& text) override;
    void notify(Kind kind, const QString& text, std::function<void()> closed = {}) override;
    bool confirm(const QString& text) override;
    std::optional<QString> inputBox(const QString& caption, const QString& prompt, const QString& initial) override;

private:
    EventLog& m_log;
};
