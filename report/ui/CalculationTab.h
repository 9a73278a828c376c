// The Calculation tab: personal data files of a folder and the totals of the chosen one.
#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;
class QToolButton;

class CalculationTab final : public QWidget
{
    Q_OBJECT
public:
    explicit CalculationTab(QWidget* parent = nullptr);

    QListWidget* ListBox1;
    QToolButton* btnSearchDir;
    QToolButton* btnRefresh;
    QPushButton* btnDetail;
    QStatusBar* stbOnCal;
    QToolButton* btnImg;
    QGroupBox* gbCal;
    QLabel* lblFileCreated;
    QLabel* lblFrom;
    QLabel* lblTo;
    QLabel* lblFirstRecord;
    QLabel* lblLastRecord;
    QLabel* lblTotalTime;
    QLabel* lblUsedTime;
    QLabel* lblTotalReceived;
    QLabel* lblReceivedBytes;
    QLabel* lblTotalSent;
    QLabel* lblSentBytes;
    QLabel* lblCurFee;
    QLabel* lblResultedFee;
};
