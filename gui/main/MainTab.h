// The Main tab: the current session's status, times and byte figures, the sixty-minute scale and the
// status line.
#pragma once

#include <QWidget>

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

    static constexpr int scaleWidth = 318;
    static constexpr int pointerHomeLeft = 41;

private:
    QLineEdit* field(const char* name);
};
