// The boxes' texts in the event log.
#include "recorder/StderrDialogs.h"

#include "recorder/EventLog.h"

#include <QTimer>

namespace {
QString lead(Dialogs::Kind kind)
{
    switch (kind) {
    case Dialogs::Kind::Warning:
        return QStringLiteral("Warning: ");
    case Dialogs::Kind::Error:
        return QStringLiteral("Error: ");
    case Dialogs::Kind::Information:
        break;
    }
    return QString();
}
} // namespace

void StderrDialogs::showMessage(Kind kind, const QString& text)
{
    m_log.say(lead(kind) + text);
}

void StderrDialogs::notify(Kind kind, const QString& text, std::function<void()> closed)
{
    m_log.say(lead(kind) + text);
    // Queued: the caller sets its guard after this returns, and it is cleared only then.
    if (closed)
        QTimer::singleShot(0, std::move(closed));
}

bool StderrDialogs::confirm(const QString& text)
{
    m_log.say(text + QStringLiteral(" (answered No: no one is there to answer)"));
    return false;
}

std::optional<QString> StderrDialogs::inputBox(const QString& caption, const QString& prompt, const QString&)
{
    m_log.say(caption + QStringLiteral(": ") + prompt + QStringLiteral(" (not answered: no one is there to answer)"));
    return std::nullopt;
}
