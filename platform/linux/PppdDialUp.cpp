// The PPP links and the pppd that a dial runs. How pppd's lines and exit statuses become dial-up states
// and error codes: PppdCodes.cpp; how its files are read: PppdFiles.cpp.
#include "platform/linux/PppdDialUp.h"

#include "platform/Trace.h"
#include "platform/linux/PppdCodes.h"

#include <QProcess>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr quint32 EntryNotFound = 623;
constexpr quint32 CannotOpenPhoneBook = 621;
constexpr quint32 AlreadyDialling = 756;
// pppd uses at most 255 bytes of a password. The whole text goes into the pipe before pppd starts reading,
// so it is cut far below the pipe's capacity and the write never waits.
constexpr qsizetype MaxPasswordBytes = 1024;
// A pppd that is still dialling when the program ends is asked to stop, and waited for this long.
constexpr int ExitWaitMs = 3000;

/// Writes the password into a new pipe and closes its writing end: the reading end, returned, then holds
/// the password and the end of the text. -1 when no pipe can be made.
int passwordPipe(const QString& password)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return -1;
    QByteArray secret = password.toUtf8().left(MaxPasswordBytes);
    const char* data = secret.constData();
    qsizetype left = secret.size();
    while (left > 0) {
        const ssize_t written = ::write(fds[1], data, std::size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        data += written;
        left -= written;
    }
    secret.fill('\0');
    ::close(fds[1]);
    if (left > 0) {
        ::close(fds[0]);
        return -1;
    }
    return fds[0];
}

} // namespace

PppdDialUp::PppdDialUp(std::unique_ptr<InterfaceTable> links, PppdPlaces places, QObject* parent)
    : QObject(parent), m_links(std::move(links)), m_places(std::move(places))
{}

PppdDialUp::~PppdDialUp()
{
    if (!m_dial || !m_dial->process)
        return;
    // A dial still running ends with the program; a link that is up belongs to its pppd daemon and stays.
    QProcess* process = m_dial->process;
    process->disconnect(this);
    process->terminate();
    process->waitForFinished(ExitWaitMs);
}

quint32 PppdDialUp::checkEntry(const QString& name, PppdFiles::PeerOptions& options) const
{
    switch (PppdFiles::readPeer(m_places, name, options)) {
    case PppdFiles::Read::Done:
        return 0;
    case PppdFiles::Read::Unreadable:
        return CannotOpenPhoneBook;
    case PppdFiles::Read::Missing:
        break;
    }
    return EntryNotFound;
}

bool PppdDialUp::enumEntries(QStringList& out)
{
    out = PppdFiles::peerNames(m_places);
    return true;
}

quint32 PppdDialUp::getEntryDialParams(DialParams& params)
{
    PppdFiles::PeerOptions options;
    if (const quint32 error = checkEntry(params.entryName, options))
        return error;
    params.userName = m_userNames.value(params.entryName, options.user);
    // pppd keeps its passwords in its secrets files, which are not ours to read.
    params.password.clear();
    params.passwordSaved = false;
    return 0;
}

quint32 PppdDialUp::setEntryDialParams(const DialParams& params, bool /*removePassword*/)
{
    PppdFiles::PeerOptions options;
    if (const quint32 error = checkEntry(params.entryName, options))
        return error;
    m_userNames.insert(params.entryName, params.userName);
    return 0;
}

QStringList PppdDialUp::passwordArguments(const PppdFiles::PeerOptions& peer,
                                          const PppdFiles::PeerOptions& system) const
{
    if (peer.loadsPasswordFd || system.loadsPasswordFd)
        return {QStringLiteral("passwordfd")};
    // pppd takes plug-ins only from its own files or from root's command line.
    if (m_places.privileged && PppdFiles::passwordFdInstalled(m_places))
        return {QStringLiteral("plugin"), QStringLiteral("passwordfd.so"), QStringLiteral("passwordfd")};
    return {};
}

quint32 PppdDialUp::dial(const DialParams& params, Progress progress, Handle& handle)
{
    handle = 0;
    PppdFiles::PeerOptions options;
    if (const quint32 error = checkEntry(params.entryName, options))
        return error;
    if (m_dial && m_dial->process)
        return AlreadyDialling;
    const QString program = PppdFiles::findProgram(m_places);
    if (program.isEmpty())
        return PppdCodes::NotStarted;
    m_userNames.insert(params.entryName, params.userName);

    QStringList arguments{QStringLiteral("call"), params.entryName};
    if (!params.userName.isEmpty())
        arguments << QStringLiteral("user") << params.userName;
    arguments << QStringLiteral("updetach");
    const PppdFiles::PeerOptions system = PppdFiles::systemOptions(m_places);
    int passwordFd = -1;
    if (const QStringList viaPlugin = passwordArguments(options, system); !viaPlugin.isEmpty()) {
        passwordFd = passwordPipe(params.password);
        if (passwordFd < 0)
            return PppdCodes::NotStarted;
        arguments << viaPlugin << QString::number(passwordFd);
    } else {
        Trace::line(QStringLiteral("pppd: no password plug-in for ") + params.entryName +
                    QStringLiteral(", its secrets files give the password"));
    }

    auto* process = new QProcess(this);
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    // The one descriptor pppd inherits besides its standard ones: the password pipe's reading end.
    process->setChildProcessModifier([passwordFd] {
        if (passwordFd >= 0)
            ::fcntl(passwordFd, F_SETFD, 0);
    });
    connect(process, &QProcess::started, this, [this] {
        report(RasState::OpenPort, 0);
        report(RasState::ConnectDevice, 0);
    });
    connect(process, &QProcess::readyReadStandardOutput, this, &PppdDialUp::onOutput);
    connect(process, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus status) { onFinished(exitCode, status == QProcess::CrashExit); });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart || !m_dial || m_dial->process != process)
            return;
        m_dial->process = nullptr;
        process->deleteLater();
        if (!m_dial->over)
            finish(RasState::OpenPort, PppdCodes::NotStarted);
    });

    const Handle dialHandle = ++m_lastHandle;
    m_handles.insert(dialHandle, Link());
    m_dial = DialInProgress{process, std::move(progress), dialHandle};
    m_dial->detaches = !options.noDetach && !system.noDetach;
    process->start(program, arguments);
    if (passwordFd >= 0)
        ::close(passwordFd);
    handle = dialHandle;
    return 0;
}

void PppdDialUp::onOutput()
{
    if (!m_dial || !m_dial->process)
        return;
    QProcess* process = m_dial->process;
    while (process->canReadLine() || (process->state() == QProcess::NotRunning && process->bytesAvailable() > 0)) {
        const QString line = QString::fromLocal8Bit(process->readLine());
        const PppdCodes::LineMeaning meaning = PppdCodes::readLine(line);
        if (!meaning.interfaceName.isEmpty())
            m_handles[m_dial->handle].interfaceName = meaning.interfaceName;
        if (meaning.hint != 0)
            m_dial->hint = meaning.hint;
        // A pppd that detaches is connected when it ends: until then its pid files name it, not its daemon.
        if (meaning.state && !(m_dial->detaches && *meaning.state == RasState::Connected))
            report(*meaning.state, 0);
        if (!m_dial || m_dial->process != process)
            return; // the report ended the dial
    }
}

void PppdDialUp::onFinished(int exitCode, bool crashed)
{
    if (!m_dial || !m_dial->process)
        return;
    onOutput();
    if (!m_dial || !m_dial->process)
        return;
    const Handle handle = m_dial->handle;
    m_dial->process->deleteLater();
    m_dial->process = nullptr;
    if (!m_dial->over) {
        // Asked to stop, it may end before it has set up its own handling of the signal.
        if (m_dial->cancelled && (crashed || exitCode == 5))
            finish(m_dial->lastState, RasError::UserDisconnection);
        else if (crashed)
            finish(m_dial->lastState, PppdCodes::Killed);
        else if (exitCode == 0)
            finish(RasState::Connected, 0); // updetach: the link is up and pppd's daemon runs on
        else
            finish(m_dial->lastState, PppdCodes::errorOfExit(exitCode, m_dial->hint));
    }
    // The progress report may have started the next dial.
    if (m_dial && m_dial->handle == handle && !m_dial->process)
        m_dial.reset();
}

void PppdDialUp::report(quint32 state, quint32 error)
{
    if (!m_dial || m_dial->over)
        return;
    if (error != 0 || state == RasState::Connected) {
        finish(state, error);
        return;
    }
    m_dial->lastState = state;
    const Progress progress = m_dial->progress;
    if (progress)
        progress(state, 0);
}

void PppdDialUp::finish(quint32 state, quint32 error)
{
    m_dial->over = true;
    // A dial that failed left no link behind: a later link of the same name is someone else's.
    if (error != 0)
        m_handles[m_dial->handle].interfaceName.clear();
    const Progress progress = std::move(m_dial->progress);
    if (progress)
        progress(state, error);
}

bool PppdDialUp::hangUp(Handle handle)
{
    if (handle == 0)
        return false;
    if (m_dial && m_dial->handle == handle && m_dial->process && !m_dial->over) {
        m_dial->cancelled = true;
        m_dial->process->terminate();
        return true;
    }
    const auto it = m_handles.constFind(handle);
    if (it == m_handles.constEnd())
        return false;
    const Link link = it.value();
    if (link.interfaceName.isEmpty())
        return true; // a dial that failed: nothing left to hang up
    std::vector<InterfaceRow> rows;
    if (!m_links->readInterfaces(rows))
        return false;
    const auto row = std::find_if(rows.cbegin(), rows.cend(), [&](const InterfaceRow& r) {
        return r.name == link.interfaceName && (link.index == 0 || r.index == link.index);
    });
    if (row == rows.cend())
        return true; // the line has dropped already
    const auto pid = PppdFiles::pppdOf(m_places, link.interfaceName);
    if (!pid) {
        Trace::line(QStringLiteral("pppd: no pppd found for ") + link.interfaceName);
        return false;
    }
    return ::kill(pid_t(*pid), SIGTERM) == 0;
}

bool PppdDialUp::enumConnections(QList<RasConnection>& out)
{
    std::vector<InterfaceRow> rows;
    if (!m_links->readInterfaces(rows))
        return false;
    out.clear();
    QHash<QString, QString> names;
    for (const InterfaceRow& row : rows) {
        if (!row.up || row.name.isEmpty() || !row.description.contains(QLatin1String("PPP")))
            continue;
        const QString key = QString::number(row.index) + QLatin1Char('/') + row.name;
        QString name = m_names.value(key);
        if (name.isEmpty()) {
            name = PppdFiles::connectionName(m_places, row.name);
            // The interface's own name stands in until a file names the link: ask again next time.
            if (name == row.name)
                name.clear();
        }
        if (!name.isEmpty())
            names.insert(key, name);
        out.append({handleOf(row), name.isEmpty() ? row.name : name, RasState::Connected, 0, row.name});
    }
    m_names = names;
    return true;
}

PppdDialUp::Handle PppdDialUp::handleOf(const InterfaceRow& row)
{
    for (auto it = m_handles.cbegin(); it != m_handles.cend(); ++it) {
        if (it->index == row.index && it->interfaceName == row.name)
            return it.key();
    }
    // The link our own dial made, seen for the first time.
    for (auto it = m_handles.begin(); it != m_handles.end(); ++it) {
        if (it->index == 0 && it->interfaceName == row.name) {
            it->index = row.index;
            return it.key();
        }
    }
    const Handle handle = ++m_lastHandle;
    m_handles.insert(handle, Link{row.name, row.index});
    return handle;
}

QString PppdDialUp::unavailableReason() const
{
    return PppdFiles::findProgram(m_places).isEmpty() ? NoSystemText : QString();
}

QString PppdDialUp::systemsInUse() const
{
    return PppdFiles::findProgram(m_places).isEmpty() ? QString() : QStringLiteral("pppd");
}
