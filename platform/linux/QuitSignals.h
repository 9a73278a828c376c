// The requests to end that come as signals (SIGTERM from the session manager or `kill`, SIGINT from a
// terminal, SIGHUP when the terminal goes away), turned into a call on the main thread, where the program
// can end as it does from its menu.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

class QuitSignals final : public QObject
{
    Q_OBJECT
public:
    /// Catches the signals until destroyed; `quit` runs on this thread's event loop, once per signal.
    explicit QuitSignals(std::function<void(int signalNumber)> quit, QObject* parent = nullptr);
    /// Gives the signals back their default action.
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    /// False when the pipe or the handlers could not be set up; the signals then end the program as before.
    bool installed() const { return m_installed; }

private:
    void readSignal();

    std::function<void(int)> m_quit;
    QSocketNotifier* m_notifier = nullptr;
    bool m_installed = false;
};
