// The alert window: a small light-yellow pop-up that slides in from a screen corner, keeps itself on top,
// can close itself after a few seconds and can come back after some minutes ("Remind me").
#pragma once

#include "alert/AlertPlacement.h"
#include "alert/AlertWindowState.h"

#include <QWidget>
#include <functional>

class Clock;
class QFrame;
class QLabel;
class QPushButton;
class QSpinBox;
class QTextEdit;
class QTimer;

class TAlertOut final : public QWidget
{
    Q_OBJECT
public:
    /// Plays the alert sound.
    using PlaySound = std::function<void()>;

    /// Created hidden; `playSound` is called when a reminder falls due. Deletes itself when closed.
    TAlertOut(PlaySound playSound, const Clock& clock, QWidget* parent = nullptr);

    /// The alert message; line breaks may be "\r\n".
    void setMessage(const QString& text);
    QString message() const;
    void setAutoClose(bool on) { m_state.setAutoClose(on); }
    /// The "Remind me" label, the minute box and the "Min(s)" label.
    void setReminderVisible(bool visible);

    /// Shows the window at the slide's start and moves it one pixel per step, calling `pause` between steps.
    void slideIn(const AlertSlide& slide, const std::function<void()>& pause);

    /// The 800 ms timer's handler.
    void Timer1Timer();

    const AlertWindowState& state() const { return m_state; }
    bool closed() const { return m_closed; }

    /// Alert windows still open, those waiting hidden for their reminder included.
    static int openAlertWindows();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void connectEvents();
    void FormCreate();
    void btnOKClick();
    void SpinEdit1Change();
    void FormResize();
    void dropTopmost();

    PlaySound m_playSound;
    const Clock& m_clock;
    AlertWindowState m_state;
    bool m_closed = false;

    QFrame* Panel1;
    QTextEdit* mMsg;
    QLabel* lblRemind;
    QSpinBox* SpinEdit1;
    QLabel* lblMins;
    QPushButton* btnOK;
    QLabel* lblProgramName;
    QLabel* imgMe;
    QTimer* Timer1;
};
