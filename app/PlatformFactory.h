// Builds the set of real services, or the simulated dial-up system when QOVRUVELA_SIMULATE names a folder.
#pragma once

#include "platform/Platform.h"

namespace PlatformFactory {
Platform make();
}
