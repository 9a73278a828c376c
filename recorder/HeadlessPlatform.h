// The services of a box without a desktop: the real clock, settings, lock, dial-up system, interface table
// and sound; boxes become lines of the event log; no tray icon and no opener. Desktop notifications go out
// only where a session bus is there to carry them.
#pragma once

#include "platform/Platform.h"

class EventLog;

namespace HeadlessPlatform {
Platform make(EventLog& log);
}
