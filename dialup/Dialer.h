// The dialer's state machine: dialling an entry with progress in words, the error rules, hanging up, the
// automatic redial of a busy or unanswered line, and the message log. The dialer window only shows it and
// forwards the user's clicks; the recording core owns it beside the connection monitor it works with.
#pragma once

#include "dialup/RedialCounter.h"
#include "platform/DialUpService.h"

#include <QObject>
#include <QStringList>

class ConnectionMonitor;
class QTimer;

// What the dialer drives outside itself.
class DialerHost
{
public:
    virtual ~DialerHost() = default;
    /// The connection monitor's poll stops while a dial is under way and runs again after it.
    virtual void setMonitorWatching(bool on) = 0;
    /// A tray image, shown when the tray icon is there.
    virtual void changeTrayIcon(int imageIndex) = 0;
};

class Dialer final : public QObject
{
    Q_OBJECT
public:
    enum class State
    {
        Idle,            ///< nothing dialled, or the line went
        Dialling,        ///< a dial is under way: "Cancel" ends it
        WaitingToRedial, ///< a busy or unanswered line, the countdown runs
        Connected,       ///< the dial reached "Connected", or the monitor sees a connection
        HangingUp        ///< hung up; the monitor has not yet seen the line go
    };

    /// How the window's buttons stand.
    struct Look
    {
        bool connectEnabled = false;
        bool hangUpEnabled = false;
        bool fieldsEnabled = true; ///< entry list, user name and password
        QString connectCaption = QStringLiteral("Connect");
        QString exitCaption = exitText;
    };

    Dialer(DialUpService& service, ConnectionMonitor& monitor, DialerHost& host, QObject* parent = nullptr);

    /// "Connect" with the window's entry, user name and password: dials, or returns to idle at once with the
    /// error shown and logged when the system refuses.
    void dial(const DialParams& params);
    /// Hang up: ends a dial under way or the connection the monitor last listed; with neither, nothing.
    void hangUp();
    /// "Exit" while dialling: ends the dial.
    void cancel();
    /// One second of the redial countdown.
    void RedialTimerTimer();
    /// Stops the redial and starts its count afresh.
    void ResetRedial();
    /// The user name was edited while an entry is selected.
    void userNameChanged(bool empty);
    /// A line for the message log.
    void note(const QString& line);
    /// Progress of the dial under way, on this object's thread.
    void DialProgressCallback(quint32 state, quint32 error);

    // What the connection monitor sees. A dial's error stays until the user's next step: the monitor's
    // "Not connected" does not replace it.
    void showStatus(const QString& text);
    void lineInUse();
    void lineIdle();

    State state() const { return m_state; }
    const Look& look() const { return m_look; }
    QString status() const { return m_status; }
    const QStringList& log() const { return m_log; }
    int RedialCount() const { return m_redial.count(); }

    QTimer* RedialTimer;

    static inline const QString exitText = QStringLiteral("E&xit");
    static inline const QString cancelText = QStringLiteral("Cancel");

signals:
    /// Status, look or log changed.
    void changed();
    /// The dial reached "Connected": the password is forgotten and the dialer hides.
    void dialConnected();

private:
    void onDialError(quint32 code);
    void StoreUserName(const DialParams& params);
    void logLine(const QString& line);
    void setState(State state);
    void showIdleLook();

    DialUpService& m_service;
    ConnectionMonitor& m_monitor;
    DialerHost& m_host;
    State m_state = State::Idle;
    Look m_look;
    QString m_status;
    QStringList m_log;
    DialParams m_params;
    RedialCounter m_redial;
    bool m_errorShown = false; ///< the status is a dial's error, kept until the user acts
};
