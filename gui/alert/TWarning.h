// The warning window of the alert sound: a short explanation with an OK button, above all other windows.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TWarning final : public QDialog
{
    Q_OBJECT
public:
    explicit TWarning(QWidget* parent = nullptr);

    /// Creates a warning with `text`, shows it without waiting and puts it on top. It deletes itself when closed.
    static TWarning* open(const QString& text);

private:
    void FormCreate();
    void btnOKClick();

    QLabel* imgWarn;
    QLabel* lblWarn;
    QPushButton* btnOK;
};
