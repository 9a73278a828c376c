// Dialogs answered by the test: every box is recorded, input boxes and questions take scripted answers.
// A modal box can run code while it is "open" (what a nested event loop would run, never the timer that
// opened it); a box that does not wait stays open until the test closes it, as a user would.
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
    void notify(Kind kind, const QString& text, std::function<void()> closed) override
    {
        messages.append({kind, text});
        openBoxes.append(std::move(closed));
    }
    /// The user presses OK on the oldest box still open; false when none is open.
    bool closeOldestBox()
    {
        if (openBoxes.isEmpty())
            return false;
        const std::function<void()> closed = openBoxes.takeFirst();
        if (closed)
            closed();
        return true;
    }
    void closeAllBoxes()
    {
        while (closeOldestBox()) {
        }
    }
    bool confirm(const QString& text) override
    {
        questions.append(text);
        if (whileOpen)
            whileOpen();
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
    /// The boxes that did not wait and are still open, oldest first: what each runs when it closes.
    QList<std::function<void()>> openBoxes;
};
