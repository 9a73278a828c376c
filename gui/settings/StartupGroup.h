// The Settings tab's start-up options: start at log-in, and the icon in the tray. A click is told at once;
// the window answers with what actually took effect.
#pragma once

#include <QGroupBox>

class QCheckBox;

class StartupGroup final : public QGroupBox
{
    Q_OBJECT
public:
    explicit StartupGroup(QWidget* parent = nullptr);

    void renderStartAtLogin(bool on);
    void renderTrayMode(bool on);

signals:
    void startAtLoginToggled(bool on);
    void trayModeToggled(bool on);

private:
    QCheckBox* chkRunMe;
    QCheckBox* chkInTray;
};
