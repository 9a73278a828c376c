// The Settings tab's alert options: the hourly alert's boxes and its corner of the screen. A click by the user
// is told at once; showing the stored options tells nothing.
#pragma once

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
struct StoredSettings;

class AlertOptionsGroup final : public QGroupBox
{
    Q_OBJECT
public:
    explicit AlertOptionsGroup(QWidget* parent = nullptr);

    /// Shows the stored options; a stored position that names no item leaves the box empty.
    void render(const StoredSettings& stored);
    /// The option for alerts after a disconnection is not offered in this version.
    void hideAfterDisconnection();

signals:
    void sixtyMinsToAlertClicked(bool checked);
    void autoCloseClicked(bool checked);
    void noSoundClicked(bool checked);
    void afterDisconnectionClicked(bool checked);
    /// Chosen from the list, or confirmed with Enter (never empty).
    void positionChosen(const QString& corner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectEvents();
    /// Enter in the position box: true when the key was used up.
    bool cbAlertPosKeyPress(int key);

    QCheckBox* chkSixtyMinsToAlert;
    QCheckBox* chkAutoClose_60MinsForm;
    QCheckBox* chkAlertNoSound;
    QLabel* lblAlertPos;
    QComboBox* cbAlertPos;
    QCheckBox* chkAfterDisconnection;
};
