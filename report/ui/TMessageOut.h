// The session list of the file last totalled, with its totals. Created at start-up, shown on request.
#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QListView;
class QPushButton;

class TMessageOut final : public QWidget
{
    Q_OBJECT
public:
    explicit TMessageOut(QWidget* parent = nullptr);

    QListView* lbMessage;
    QWidget* pnBottom;
    QGroupBox* GroupBox1;
    QLabel* lblTotalReceived;
    QGroupBox* GroupBox2;
    QLabel* lblTotalSent;
    QGroupBox* gbTotalTime;
    QLabel* lblTotalTime;
    QPushButton* btnOK;
};
