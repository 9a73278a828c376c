// The text form of a simulated dial-up system, so that another process can steer the program.
//
//   # a comment
//   entry NAME                      a phone-book entry
//   connection STATE ERROR NAME     an active connection: its state number (8192 = connected),
//                                   its error code (0 = none) and its entry name
//   interface NAME                  the IP interface of the connection on the line before ("ppp0")
//   unavailable                     the service cannot list its connections
//   refuse CODE                     every dial is refused at once with CODE, before anything starts
//   fail CODE                       every dial gets under way and fails at the device step with CODE
//                                   (676 busy, 678 no answer: the dialer redials)
#pragma once

#include "platform/DialUpService.h"

#include <QString>
#include <QStringList>

struct SimulatedSystem
{
    QStringList entries;
    QList<RasConnection> connections;
    bool unavailable = false;
    quint32 refuseDial = 0; ///< the error every dial is refused with at once; 0 when dials go ahead
    quint32 failDial = 0;   ///< the error every dial meets when it reaches the device; 0 when dials get through
};

namespace SimulationFile {

/// Reads the text; false with `error` naming the first bad line.
bool parse(const QString& text, SimulatedSystem& out, QString& error);

/// The text that `parse` reads back as `system`.
QString format(const SimulatedSystem& system);

/// The handle a simulated connection is known by: stable for its entry name, never 0.
quintptr handleOf(const QString& entryName);

} // namespace SimulationFile
