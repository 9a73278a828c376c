// What pppd leaves on disk and in /proc: its peer files, its pid files and its command line.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

/// Where pppd's files are; tests point them at folders of their own.
struct PppdPlaces
{
    /// pppd's configuration: the peer files in "peers/", the options every pppd reads in "options".
    QString pppFolder = QStringLiteral("/etc/ppp");
    /// Where pppd writes "pppN.pid" and "ppp-LINKNAME.pid".
    QString runFolder = QStringLiteral("/var/run");
    QString procFolder = QStringLiteral("/proc");
    /// pppd's plug-ins, one folder per pppd version ("2.4.9/passwordfd.so").
    QString pluginFolder = QStringLiteral("/usr/lib/pppd");
    /// The program: a name looked up on PATH and then in /usr/sbin and /sbin, or a path.
    QString program = QStringLiteral("pppd");
    /// Whether pppd takes plug-ins from our command line: only from a caller running as root.
    bool privileged = false;
};

namespace PppdFiles {

/// The readable peer files, by name; hidden files and editors' and the package manager's leftovers are not peers.
QStringList peerNames(const PppdPlaces& places);

struct PeerOptions
{
    /// The "user" option: the name pppd authenticates with.
    QString user;
    /// Whether the file loads the plug-in that takes the password from a descriptor.
    bool loadsPasswordFd = false;
    /// Whether pppd stays in the foreground ("nodetach"), so that "updetach" does not make it leave.
    bool noDetach = false;
};

enum class Read
{
    Done,
    Missing,
    Unreadable,
};

/// Reads a peer file's options.
Read readPeer(const PppdPlaces& places, const QString& name, PeerOptions& out);
/// The options every pppd reads ("options" in pppd's folder); none when that file cannot be read.
PeerOptions systemOptions(const PppdPlaces& places);
/// Whether the installed pppd has the password plug-in.
bool passwordFdInstalled(const PppdPlaces& places);
/// The words of a pppd options text: blanks separate, '#' starts a comment, quotes and '\' escape.
QStringList optionWords(const QString& text);

/// The program to run, or empty when it is not installed.
QString findProgram(const PppdPlaces& places);

/// The pppd that runs the interface, from its pid files; nothing when none of them names a running pppd.
std::optional<qint64> pppdOf(const PppdPlaces& places, const QString& interfaceName);
/// The process id a pid file holds on its first line; nothing when it holds none.
std::optional<qint64> pidInFile(const QString& path);
/// Whether the process is a pppd.
bool isPppd(const PppdPlaces& places, qint64 pid);
/// The arguments a process was started with.
QStringList commandLine(const PppdPlaces& places, qint64 pid);

/// The name of the connection on a PPP interface: the peer its pppd was called for, else the link name
/// pppd wrote a pid file for, else pppd's "ipparam", else the interface's own name.
QString connectionName(const PppdPlaces& places, const QString& interfaceName);

} // namespace PppdFiles
