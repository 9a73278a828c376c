// The set of outside services the program runs on, built in one place at start-up.
#pragma once

#include "platform/Clock.h"
#include "platform/DesktopNotifications.h"
#include "platform/DialUpService.h"
#include "platform/Dialogs.h"
#include "platform/InterfaceTable.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/ShowRequests.h"
#include "platform/SingleInstance.h"
#include "platform/Sound.h"
#include "platform/StartupEntries.h"
#include "platform/TrayIconService.h"

#include <memory>

struct Platform
{
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<SingleInstance> instance;
    /// Missing in the headless recorder: it has no window to show, so a window start beside it only says so.
    std::unique_ptr<ShowRequests> showRequests;
    std::unique_ptr<DialUpService> dialUp;
    std::unique_ptr<Sound> sound;
    std::unique_ptr<StartupEntries> startup;
    /// Missing in the headless recorder, which has no desktop; so is the shell.
    std::unique_ptr<TrayIconService> tray;
    std::unique_ptr<Shell> shell;
    std::unique_ptr<InterfaceTable> interfaces;
    /// May be missing: then warnings stay in the program's own windows.
    std::unique_ptr<DesktopNotifications> notifications;
};
