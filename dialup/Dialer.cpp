// The dialer's dial, progress, error rules, hang-up and redial.
#include "dialup/Dialer.h"

#include "dialup/ConnStateText.h"
#include "dialup/ConnectionMonitor.h"
#include "dialup/DialErrorPolicy.h"
#include "platform/Trace.h"

#include <QTimer>

Dialer::Dialer(DialUpService& service, ConnectionMonitor& monitor, DialerHost& host, QObject* parent)
    : QObject(parent), m_service(service), m_monitor(monitor), m_host(host)
{
    RedialTimer = new QTimer(this);
    RedialTimer->setObjectName(QStringLiteral("RedialTimer"));
    RedialTimer->setInterval(1000);
    connect(RedialTimer, &QTimer::timeout, this, &Dialer::RedialTimerTimer);
}

void Dialer::setState(State state)
{
    m_state = state;
    m_look.exitCaption = state == State::Dialling ? cancelText : exitText;
}

void Dialer::showIdleLook()
{
    m_look.connectEnabled = true;
    m_look.hangUpEnabled = false;
    m_look.fieldsEnabled = true;
}

void Dialer::logLine(const QString& line)
{
    m_log.append(line);
    Trace::line(QStringLiteral("dialer-log ") + line);
}

void Dialer::note(const QString& line)
{
    logLine(line);
    emit changed();
}

void Dialer::showStatus(const QString& text)
{
    if (m_errorShown && text == ConnStateText::notConnected)
        return;
    m_errorShown = false;
    if (text != m_status)
        Trace::line(QStringLiteral("dialer-status ") + text);
    m_status = text;
    emit changed();
}

void Dialer::dial(const DialParams& params)
{
    m_host.setMonitorWatching(false);
    RedialTimer->stop();
    m_errorShown = false;
    m_status.clear();
    m_log.clear();
    m_params = params;
    DialUpService::Handle handle = 0;
    m_monitor.setHandle(0);
    Trace::line(QStringLiteral("dialer-dial ") + params.entryName);
    // Notifications may come from another thread; they are handled on this object's thread, in order.
    const quint32 result = m_service.dial(
        params,
        [this](quint32 state, quint32 error) {
            QMetaObject::invokeMethod(
                this, [this, state, error] { DialProgressCallback(state, error); }, Qt::QueuedConnection);
        },
        handle);
    m_monitor.setHandle(handle);
    StoreUserName(params);
    if (result != 0) {
        // Refused before anything started: nothing to wait for, so back to idle with the monitor watching.
        const DialErrorAction action = DialErrorPolicy::onDialError(result, m_service);
        logLine(action.logLine.isEmpty() ? QStringLiteral("Error : ") + action.status : action.logLine);
        setState(State::Idle);
        showIdleLook();
        m_host.setMonitorWatching(true);
        showStatus(action.status);
        m_errorShown = true;
        return;
    }
    setState(State::Dialling);
    m_look.hangUpEnabled = true;
    m_look.connectEnabled = false;
    m_look.fieldsEnabled = false;
    emit changed();
}

void Dialer::StoreUserName(const DialParams& params)
{
    DialParams userOnly = params;
    userOnly.password.clear();
    m_service.setEntryDialParams(userOnly, true);
}

void Dialer::DialProgressCallback(quint32 state, quint32 error)
{
    if (error != 0) {
        onDialError(error);
        return;
    }
    const QString text = ConnStateText::ofState(state);
    if (text == QLatin1String("Connecting device"))
        m_host.changeTrayIcon(14);
    if (text == QLatin1String("Connected")) {
        m_redial.connected();
        setState(State::Connected);
        m_host.setMonitorWatching(true);
        showStatus(text);
        emit dialConnected();
        return;
    }
    showStatus(text);
}

void Dialer::onDialError(quint32 code)
{
    const DialErrorAction action = DialErrorPolicy::onDialError(code, m_service);
    m_status = action.status;
    m_errorShown = true;
    Trace::line(QStringLiteral("dialer-status ") + action.status);
    if (!action.logLine.isEmpty())
        logLine(action.logLine);
    if (action.hangUp)
        hangUp();
    if (action.redial) {
        setState(State::WaitingToRedial);
        RedialTimer->start();
    }
    emit changed();
}

void Dialer::hangUp()
{
    const DialUpService::Handle handle = m_monitor.handle();
    if (handle == 0 && m_state != State::Dialling)
        return;
    if (handle != 0 && !m_service.hangUp(handle))
        logLine(QStringLiteral("Error : Cannot hang up connection."));
    setState(handle != 0 ? State::HangingUp : State::Idle);
    showIdleLook();
    logLine(QStringLiteral("Disconnection occurred, please wait if no mouse-click response."));
    m_host.setMonitorWatching(true);
    m_host.changeTrayIcon(0);
    emit changed();
}

void Dialer::cancel()
{
    m_errorShown = false;
    logLine(QStringLiteral("Received cancel command"));
    hangUp();
}

void Dialer::RedialTimerTimer()
{
    const RedialCounter::Result r = m_redial.tick();
    switch (r.step) {
    case RedialCounter::Step::GiveUp:
        RedialTimer->stop();
        m_look.connectCaption = QStringLiteral("Connect");
        setState(State::Idle);
        logLine(QStringLiteral("The line is still busy"));
        break;
    case RedialCounter::Step::Countdown:
        m_look.connectCaption = QStringLiteral("Redial ") + QString::number(r.secondsLeft);
        break;
    case RedialCounter::Step::Redial:
        RedialTimer->stop();
        m_look.connectCaption = QStringLiteral("Connect");
        dial(m_params);
        logLine(QStringLiteral("Times of redialing = ") + QString::number(m_redial.count()));
        break;
    }
    emit changed();
}

void Dialer::ResetRedial()
{
    m_look.connectCaption = QStringLiteral("Connect");
    RedialTimer->stop();
    m_redial.reset();
    m_errorShown = false;
    if (m_state == State::WaitingToRedial)
        setState(State::Idle);
    emit changed();
}

void Dialer::userNameChanged(bool empty)
{
    ResetRedial();
    m_look.connectEnabled = !empty;
    emit changed();
}

void Dialer::lineInUse()
{
    m_look.connectEnabled = false;
    m_look.hangUpEnabled = true;
    if (m_state != State::Dialling)
        setState(State::Connected);
    emit changed();
}

void Dialer::lineIdle()
{
    showIdleLook();
    if (m_state != State::WaitingToRedial)
        setState(State::Idle);
    emit changed();
}
