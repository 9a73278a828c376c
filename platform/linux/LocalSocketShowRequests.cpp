// The running copy reads requests only as they arrive, from its event loop, and drops a peer that says
// nothing or too much; a start that asks gives up after a moment, so neither side can hold up the other.
#include "platform/linux/LocalSocketShowRequests.h"

#include "platform/PrivateFolder.h"
#include "platform/Trace.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <utility>

namespace {

const QByteArray request = QByteArrayLiteral("show\n");
// A peer that has not sent its line by then is dropped.
constexpr int peerLimitMs = 1000;

} // namespace

LocalSocketShowRequests::LocalSocketShowRequests(QStringList folders, int waitMs)
    : m_folders(std::move(folders)), m_waitMs(waitMs)
{}

LocalSocketShowRequests::~LocalSocketShowRequests() = default;

void LocalSocketShowRequests::listen(std::function<void()> show)
{
    m_show = std::move(show);
    for (const QString& folder : std::as_const(m_folders)) {
        if (folder.isEmpty() || !PrivateFolder::problem(folder).isEmpty())
            continue;
        const QString path = folder + QLatin1Char('/') + QLatin1String(socketName);
        // This copy holds the lock, so a socket file there is one a copy that died left behind.
        QLocalServer::removeServer(path);
        auto* server = new QLocalServer(&m_servers);
        server->setSocketOptions(QLocalServer::UserAccessOption);
        if (!server->listen(path)) {
            Trace::line(QStringLiteral("show requests: cannot listen at %1: %2")
                            .arg(QDir::toNativeSeparators(path), server->errorString()));
            delete server;
            continue;
        }
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QObject::connect(server, &QLocalServer::newConnection, server, [this, server] {
            while (QLocalSocket* peer = server->nextPendingConnection()) {
                QObject::connect(peer, &QLocalSocket::readyRead, peer, [this, peer] { readRequest(*peer); });
                QObject::connect(peer, &QLocalSocket::disconnected, peer, [this, peer] {
                    readRequest(*peer);
                    peer->deleteLater();
                });
                QTimer::singleShot(peerLimitMs, peer, [peer] { peer->abort(); });
            }
        });
    }
}

void LocalSocketShowRequests::readRequest(QLocalSocket& peer)
{
    if (!peer.canReadLine()) {
        if (peer.bytesAvailable() > request.size())
            peer.abort();
        return;
    }
    const bool show = peer.readLine(request.size() + 1) == request;
    peer.disconnectFromServer();
    if (show && m_show) {
        Trace::line(QStringLiteral("show request"));
        m_show();
    }
}

int LocalSocketShowRequests::listening() const
{
    return static_cast<int>(m_servers.findChildren<QLocalServer*>(Qt::FindDirectChildrenOnly).size());
}

bool LocalSocketShowRequests::askToShow()
{
    const QDeadlineTimer deadline(m_waitMs);
    for (const QString& folder : std::as_const(m_folders)) {
        if (folder.isEmpty() || !PrivateFolder::problem(folder).isEmpty())
            continue;
        QLocalSocket socket;
        socket.connectToServer(folder + QLatin1Char('/') + QLatin1String(socketName), QIODevice::WriteOnly);
        if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
            continue;
        socket.write(request);
        while (socket.bytesToWrite() > 0 && !deadline.hasExpired())
            socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
        const bool sent = socket.bytesToWrite() == 0;
        socket.disconnectFromServer();
        if (sent)
            return true;
    }
    return false;
}
