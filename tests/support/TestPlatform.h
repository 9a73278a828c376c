// A platform of test doubles and temporary folders, with handles on the doubles a test steers.
#pragma once

#include "platform/IniSettingsStore.h"
#include "platform/Platform.h"
#include "platform/linux/LockFileInstance.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/sim/RecordingNotifications.h"
#include "platform/sim/RecordingShell.h"
#include "platform/sim/RecordingSound.h"
#include "platform/sim/RecordingTrayIcon.h"
#include "platform/sim/SimulatedDialUp.h"
#include "platform/sim/SimulatedInterfaceTable.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestClock.h"

#include <QTemporaryDir>

struct TestPlatform
{
    TestPlatform()
    {
        auto c = std::make_unique<TestClock>();
        auto d = std::make_unique<ScriptedDialogs>();
        auto u = std::make_unique<InMemoryDialUp>();
        auto t = std::make_unique<RecordingTrayIcon>();
        auto s = std::make_unique<RecordingShell>();
        shell = s.get();
        platform.shell = std::move(s);
        clock = c.get();
        dialogs = d.get();
        dialUp = u.get();
        tray = t.get();
        auto n = std::make_unique<SimulatedInterfaceTable>();
        interfaces = n.get();
        platform.interfaces = std::move(n);
        platform.clock = std::move(c);
        platform.dialogs = std::move(d);
        platform.dialUp = std::move(u);
        platform.tray = std::move(t);
        platform.settings = std::make_unique<IniSettingsStore>(settingsFile());
        platform.instance = std::make_unique<LockFileInstance>(QStringList{dir.filePath(QStringLiteral("run"))});
        platform.startup = std::make_unique<XdgAutostart>(autostartFolder());
        auto snd = std::make_unique<RecordingSound>();
        sound = snd.get();
        platform.sound = std::move(snd);
        auto note = std::make_unique<RecordingNotifications>();
        notifications = note.get();
        platform.notifications = std::move(note);
    }

    QString settingsFile() const { return dir.filePath(QStringLiteral("config/QovRuvela.conf")); }
    QString autostartFolder() const { return dir.filePath(QStringLiteral("autostart")); }
    QString programDir() const { return dir.path() + QLatin1Char('/'); }

    QTemporaryDir dir;
    Platform platform;
    TestClock* clock = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    InMemoryDialUp* dialUp = nullptr;
    RecordingTrayIcon* tray = nullptr;
    SimulatedInterfaceTable* interfaces = nullptr;
    RecordingShell* shell = nullptr;
    RecordingSound* sound = nullptr;
    RecordingNotifications* notifications = nullptr;
};
