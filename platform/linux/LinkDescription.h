// The description of a kernel network link: its name and what kind of link it is, in words.
#pragma once

#include <QString>

namespace LinkDescription {

/// A PPP link: kernel link type 512, or a point-to-point link whose name starts with "ppp".
bool isPppLink(quint16 type, quint32 flags, const QString& name);

/// "<name> - <link type>[ (<driver kind>)]", e.g. "eth0 - Ethernet", "ppp0 - PPP link", "veth1 - Ethernet
/// (veth)". Only a PPP link's description contains "PPP": elsewhere those three letters are written in lower
/// case, since the traffic monitor picks the dial-up link by them.
QString describe(quint16 type, quint32 flags, const QString& name, const QString& kind);

} // namespace LinkDescription
