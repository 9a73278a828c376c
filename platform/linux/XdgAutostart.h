// Start-at-log-in entries as desktop entries in the user's autostart folder ($XDG_CONFIG_HOME/autostart).
#pragma once

#include "platform/StartupEntries.h"

class XdgAutostart final : public StartupEntries
{
public:
    /// `folder` empty: the user's autostart folder. Whether this run was started at log-in is read from the
    /// program's arguments.
    explicit XdgAutostart(QString folder = QString());

    bool WriteStartupEntry(const QString& name, const QString& command) override;
    bool RemoveStartupEntry(const QString& name) override;
    QString readStartupEntry(const QString& name) const override;
    bool startedAtLogin() const override { return m_startedAtLogin; }
    void setStartedAtLogin(bool atLogin) { m_startedAtLogin = atLogin; }

    /// The argument the entry starts the program with, so that a start at log-in can be told from the user's.
    static inline const QString atLoginArgument = QStringLiteral("--at-login");

    QString filePathOf(const QString& name) const;

    /// The Exec value that starts `program`: quoted when it holds a blank or another reserved character,
    /// escaped as the desktop entry format requires.
    static QString execValue(const QString& program);
    /// The program path of an Exec value written by `execValue`.
    static QString programOf(const QString& execValue);

private:
    QString m_folder;
    bool m_startedAtLogin = false;
};
