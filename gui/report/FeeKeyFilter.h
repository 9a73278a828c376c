// The key rule of the fee edits (basic fee and fee per minute): digits, "." and backspace only; any other
// typed character is swallowed with a beep. Keys that type nothing (arrows, Home, Delete, Tab) pass.
#pragma once

#include <QObject>
#include <initializer_list>

class Dialogs;
class QKeyEvent;
class QWidget;

class FeeKeyFilter final : public QObject
{
    Q_OBJECT
public:
    explicit FeeKeyFilter(Dialogs& dialogs, QObject* parent = nullptr);

    /// One filter, owned by the first edit, watching all of `edits`.
    static FeeKeyFilter* installOn(Dialogs& dialogs, std::initializer_list<QWidget*> edits);

    /// True when the key may reach the edit.
    static bool isAccepted(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Dialogs& m_dialogs;
};
