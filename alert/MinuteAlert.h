// The Alert tab's minute alert: only its "applied" mark and the status texts remain; it raises no alert.
#pragma once

#include <QString>
#include <optional>

class MinuteAlert
{
public:
    /// At start-up: a kept setting with a stored minute count counts as applied.
    void LoadSettings(bool keepAlertSet, const std::optional<int>& alertMin)
    {
        m_alertApplied = keepAlertSet && alertMin.has_value();
    }

    /// The minute box changed; returns the status text to show.
    QString minutesChanged()
    {
        m_alertApplied = false;
        return changedText;
    }

    /// The status text when the tab comes into view.
    QString statusText() const { return m_alertApplied ? appliedText : notAppliedText; }

    bool AlertApplied() const { return m_alertApplied; }

    static inline const QString appliedText = QStringLiteral("The alert is set.");
    static inline const QString notAppliedText = QStringLiteral("No alert is set.");
    static inline const QString changedText = QStringLiteral("Changed: not applied yet.");

private:
    bool m_alertApplied = false;
};
