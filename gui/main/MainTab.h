// The Main tab: the current session's status, times and byte figures, the sixty-minute scale and the
// status line.
#pragma once

#include "record/SessionTracker.h"
#include "record/StatusLineQueue.h"

#include <QDateTime>
#include <QWidget>
#include <functional>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class QToolButton;
class TLabel3D;

class MainTab final : public QWidget
{
    Q_OBJECT
public:
    explicit MainTab(QWidget* parent = nullptr);

    /// The status label's caption until the first second is shown.
    static inline const QString statusCaption = QStringLiteral("Status :");
    /// The status label's words, after a space; online with up to three dots, one more each second.
    static inline const QString offlineWord = QStringLiteral("Offline");
    static inline const QString onlineWord = QStringLiteral("Online");
    /// The status label's text for what the tracker saw of the connection (Stop aside).
    static const QString& onlineStatusText(const TrackerView& view);
    /// The status label while Stop is down on a connection (an end of it is still shown), and the status
    /// line's note of the pause.
    static inline const QString pausedWord = QStringLiteral("Online, paused");
    static inline const QString pausedText =
        QStringLiteral("Recording is paused: nothing is counted until Stop is released.");
    /// The status line's tooltip while it says nothing.
    static inline const QString statusLineHint = QStringLiteral("Extra Message");
    static constexpr int scaleWidth = 318;
    static constexpr int pointerHomeLeft = 41;
    /// Where the pointer stands, in pixels from the scale panel's left, `minute` minutes along the hour.
    static int pointerLeft(int minute)
    {
        return pointerHomeLeft + static_cast<int>(static_cast<float>(minute) * (float(scaleWidth) / 60.0F));
    }

    /// Empty fields, and no elapsed time: this version does not show it.
    void startEmpty();
    /// The session's status, times, byte figures and scale; a field that keeps its text is left alone.
    void render(const TrackerView& view);
    /// The Stop button's state, without telling it as a click.
    void renderStopped(bool stopped);
    void renderDialUp(const QString& adapter, const QString& ip);
    void renderDayPeriod(const QString& text);
    /// A message of the core's for the status line: it waits until the one shown has stood its time.
    void renderStatusLine(const QString& text);
    /// The program's clock, which times the status line's messages.
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }
    /// The line of the period's figures with its forecast as a tooltip, and the share of the allowance.
    void renderAllowance(const QString& line, const QString& forecast, bool barShown, int percent);

signals:
    void stopToggled(bool down);
    void resetClicked();
    void createModifyClicked();
    /// The hand-testing buttons, never shown.
    void setOnlineClicked();
    void plusMinuteClicked();

private:
    QLineEdit* field(const char* name);
    /// A line edit repaints on every setText, even with the same text, and drops the user's selection; most
    /// of the tab stays the same from one second to the next.
    static void setChanged(QLineEdit* edit, const QString& text);
    void connectEvents();
    QDateTime now() const { return m_now ? m_now() : QDateTime::currentDateTime(); }
    /// The waiting message whose turn has come, and the timer for the next.
    void advanceStatusLine();
    void showStatusLine();
    void showOnlineStatus();
    void showTestLabels(const TrackerView& view);

    QPushButton* btnCreateModify;
    QLabel* lblDayPeriod;
    QGroupBox* gbStatus;
    QToolButton* btnDisabled;
    QPushButton* btnResetData;
    QLabel* lblOnlineStatus;
    QLabel* lblAdapter;
    QLineEdit* edAdapter;
    QLabel* lblStartTime;
    QLineEdit* edStartTime;
    QLabel* lblEndTime;
    QLineEdit* edEndTime;
    QGroupBox* gbOther;
    QLabel* lbl_IPis;
    QLineEdit* edIP;
    QLabel* lblElapsed;
    QLineEdit* edElapsed;
    QLabel* lblReceived;
    QLineEdit* edReceived;
    QLabel* lblSent;
    QLineEdit* edSent;
    QWidget* scalePanel;
    QLabel* imgScale;
    QLabel* imgPointer;
    QLabel* lblSpendingHour;
    /// Today's and the period's time and bytes, and the share of the allowance with its bar.
    QLabel* lblAllowance;
    QProgressBar* pbAllowance;
    TLabel3D* lblStatusBar;
    // Controls for trying the tracker by hand; never shown.
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QLabel* lblTest_CurMin;
    QLabel* lblTest_FilePointer;
    QLabel* lblTest_UsedTimeNPrevMin;
    QTimer* tmAutoPlusTime;
    QTimer* tmStatusLine;
    std::function<QDateTime()> m_now;
    StatusLineQueue m_statusLine;
    QString m_onlineStatus = statusCaption;
    bool m_online = false;
    bool m_stopped = false;
    int m_spendingHour = 0; ///< what lblSpendingHour shows
    /// The figures the hand-testing labels show; none before the first render.
    struct TestFigures
    {
        std::optional<int> curMin;
        bool curMinPadded = false;
        std::optional<qint64> filePointer;
        TrackerView::UsedTimeLabel usedTimeState = TrackerView::UsedTimeLabel::Unset;
        qint32 usedTime = 0;
        int prevMin = 0;
        bool operator==(const TestFigures&) const = default;
    };
    std::optional<TestFigures> m_testShown;
};
