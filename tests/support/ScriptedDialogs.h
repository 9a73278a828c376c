// Dialogs answered by the test: every box is recorded, input boxes and questions take scripted answers,
// and a box can run code while it is "open", as the program's timers do under a real modal box.
#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

class ScriptedDialogs final : public Dialogs
{
public:
    struct Shown
    {
        Kind kind;
        QString text;
    };

    void beep() override { ++beeps; }
    void showMessage(Kind kind, const QString& text) override
    {
        messages.append({kind, text});
        if (whileOpen)
            whileOpen();
    }
    bool confirm(const QString& text) override
    {
        questions.append(text);
        return confirmAnswers.isEmpty() ? false : confirmAnswers.takeFirst();
    }
    std::optional<QString> inputBox(const QString&, const QString& prompt, const QString&) override
    {
        prompts.append(prompt);
        return inputAnswers.isEmpty() ? std::nullopt : inputAnswers.takeFirst();
    }

    int beeps = 0;
    QList<Shown> messages;
    QStringList questions;
    QStringList prompts;
    QList<bool> confirmAnswers;
    QList<std::optional<QString>> inputAnswers;
    std::function<void()> whileOpen;
};
