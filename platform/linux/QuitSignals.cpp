// A signal handler may do almost nothing safely: it writes the signal's number into a pipe, and a socket
// notifier on the pipe's other end hands it to the event loop.
#include "platform/linux/QuitSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::array<int, 3> caught = {SIGTERM, SIGINT, SIGHUP};
// Written by the handler; one object at a time owns the pipe.
int writeEnd = -1;
int readEnd = -1;

extern "C" void onSignal(int number)
{
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(number);
    // A full pipe already holds a request to end; losing this one changes nothing.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = saved;
}
} // namespace

QuitSignals::QuitSignals(std::function<void(int)> quit, QObject* parent) : QObject(parent), m_quit(std::move(quit))
{
    if (writeEnd >= 0)
        return;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    readEnd = ends[0];
    writeEnd = ends[1];
    m_notifier = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::readSignal);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    m_installed = true;
    for (const int number : caught)
        m_installed = ::sigaction(number, &action, nullptr) == 0 && m_installed;
}

QuitSignals::~QuitSignals()
{
    if (!m_notifier)
        return;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int number : caught)
        ::sigaction(number, &action, nullptr);
    delete m_notifier;
    ::close(readEnd);
    ::close(writeEnd);
    readEnd = -1;
    writeEnd = -1;
}

void QuitSignals::readSignal()
{
    unsigned char byte = 0;
    while (::read(readEnd, &byte, 1) == 1) {
        if (m_quit)
            m_quit(byte);
    }
}
