// Which dial-up system the program watches: the simulation when QOVRUVELA_SIMULATE names a folder, else the
// network manager's connections with the PPP links it does not manage, else pppd's links alone. The window
// program and the headless recorder choose alike.
#pragma once

#include "platform/DialUpService.h"

#include <memory>

namespace DialUpChoice {
std::unique_ptr<DialUpService> make();
}
