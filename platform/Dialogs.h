// Message boxes and the input box, behind an interface so that tests can answer them.
#pragma once

#include <QString>
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

    /// A modal box with one OK button, captioned with the program title. Timer ticks go on
    /// running while it is open.
    virtual void showMessage(Kind kind, const QString& text) = 0;

    /// A modal Yes / No question; true for Yes.
    virtual bool confirm(const QString& text) = 0;

    /// A modal one-line input box; nothing when the user cancels.
    virtual std::optional<QString> inputBox(const QString& caption, const QString& prompt, const QString& initial) = 0;
};
