// Show requests over a local socket beside the running-copy lock, in the same private folders, so that only
// the user's own starts reach the running copy.
#pragma once

#include "platform/ShowRequests.h"

#include <QObject>
#include <QStringList>

class QLocalSocket;

class LocalSocketShowRequests final : public ShowRequests
{
public:
    /// `folders` as the lock's (LockFileInstance::defaultFolders()); an empty or unsafe one is skipped.
    /// A request waits at most `waitMs` in all for the running copy's socket.
    explicit LocalSocketShowRequests(QStringList folders, int waitMs = 300);
    ~LocalSocketShowRequests() override;
    LocalSocketShowRequests(const LocalSocketShowRequests&) = delete;
    LocalSocketShowRequests& operator=(const LocalSocketShowRequests&) = delete;

    void listen(std::function<void()> show) override;
    bool askToShow() override;

    /// How many folders have a socket listening.
    int listening() const;

    static constexpr const char* socketName = "QovRuvela.Show.2.21";

private:
    void readRequest(QLocalSocket& peer);

    QStringList m_folders;
    int m_waitMs;
    std::function<void()> m_show;
    /// Parent of the listening sockets: they close, and their files go, with this object.
    QObject m_servers;
};
