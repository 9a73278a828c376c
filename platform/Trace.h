// A trace of what the program shows, for scripts that drive it from outside: with QOVRUVELA_TRACE=<file>
// set, each event is appended to that file as one line. Without it nothing is written.
#pragma once

#include <QString>

namespace Trace {
void line(const QString& event);
}
