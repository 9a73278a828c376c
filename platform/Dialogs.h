// Message boxes and the input box, behind an interface so that tests can answer them.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class Dialogs
{
public:
    enum class Kind
    {
        Information,
        Warning,
        Error
    };

    virtual ~Dialogs() = default;

    /// The system beep that precedes an error or notice.
    virtual void beep() = 0;

    /// A modal box with one OK button, captioned with the program title; returns when it is closed. Only for
    /// what the user asked for by a click: the timer whose handler opened it stops until it closes.
    virtual void showMessage(Kind kind, const QString& text) = 0;

    /// The same box without waiting: it opens and this returns at once, and `closed` runs when the user
    /// closes it. Everything raised while recording is shown this way, so the tick never stops.
    virtual void notify(Kind kind, const QString& text, std::function<void()> closed = {}) = 0;

    /// A modal Yes / No question, No the default; true for Yes. Only for what the user asked for by a click.
    virtual bool confirm(const QString& text) = 0;

    /// A modal one-line input box; nothing when the user cancels.
    virtual std::optional<QString> inputBox(const QString& caption, const QString& prompt, const QString& initial) = 0;
};
