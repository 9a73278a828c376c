// Message boxes and the input box of the window toolkit.
#pragma once

#include "platform/Dialogs.h"

class QWidget;

class QtDialogs final : public Dialogs
{
public:
    explicit QtDialogs(QString title) : m_title(std::move(title)) {}

    void beep() override;
    void showMessage(Kind kind, const QString& text) override;
    void notify(Kind kind, const QString& text, std::function<void()> closed) override;
    bool confirm(const QString& text) override;
    std::optional<QString> inputBox(const QString& caption, const QString& prompt, const QString& initial) override;

private:
    QString m_title;
};
