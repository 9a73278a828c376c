// Dial-up through pppd and the kernel's PPP links: the peer files are the phone book, the PPP links that
// are up the connections.
#pragma once

#include "platform/DialUpService.h"
#include "platform/InterfaceTable.h"
#include "platform/linux/PppdFiles.h"

#include <QHash>
#include <QObject>
#include <memory>
#include <optional>

class QProcess;

// Entry name = the peer file's name; a connection is named as PppdFiles::connectionName says. A dial runs
// "pppd call PEER user NAME updetach": pppd reports on its standard output until the link is up, then
// leaves a daemon behind and ends with status 0, or ends with the status of what went wrong. The typed
// password reaches it through a pipe whose descriptor its password plug-in reads, never through its
// command line, its environment or a file. Hanging up ends that pppd with SIGTERM. User names are kept in
// memory: the peer files belong to the administrator. Everything runs on the thread that owns the object.
class PppdDialUp final : public QObject, public DialUpService
{
    Q_OBJECT

public:
    /// `links` is the kernel's interface table, read for the PPP links.
    explicit PppdDialUp(std::unique_ptr<InterfaceTable> links, PppdPlaces places = PppdPlaces(),
                        QObject* parent = nullptr);
    ~PppdDialUp() override;

    bool enumConnections(QList<RasConnection>& out) override;
    std::optional<QString> errorText(quint32) const override { return std::nullopt; }
    bool enumEntries(QStringList& out) override;
    quint32 getEntryDialParams(DialParams& params) override;
    quint32 setEntryDialParams(const DialParams& params, bool removePassword) override;
    quint32 dial(const DialParams& params, Progress progress, Handle& handle) override;
    bool hangUp(Handle handle) override;
    /// Used alone only where no network manager runs: without pppd there is then no dial-up system at all.
    QString unavailableReason() const override;
    /// "pppd" where it is installed; nothing where it is not, so the About window names only what is there.
    QString systemsInUse() const override;

    /// The text of the status line when neither a network manager nor pppd is there.
    static inline const QString NoSystemText =
        QStringLiteral("No dial-up system found: no network manager runs and pppd is not installed.");

private:
    struct Link
    {
        QString interfaceName;
        quint32 index = 0; // 0 until the link has been seen
    };
    struct DialInProgress
    {
        QProcess* process = nullptr;
        Progress progress;
        Handle handle = 0;
        quint32 lastState = RasState::OpenPort;
        quint32 hint = 0;
        bool detaches = true; // pppd leaves a daemon behind and ends once the link is up
        bool cancelled = false;
        bool over = false; // connected or failed: reported once, nothing more to tell
    };

    quint32 checkEntry(const QString& name, PppdFiles::PeerOptions& options) const;
    QStringList passwordArguments(const PppdFiles::PeerOptions& peer, const PppdFiles::PeerOptions& system) const;
    void onOutput();
    void onFinished(int exitCode, bool crashed);
    void report(quint32 state, quint32 error);
    void finish(quint32 state, quint32 error);
    Handle handleOf(const InterfaceRow& row);

    std::unique_ptr<InterfaceTable> m_links;
    PppdPlaces m_places;
    QHash<QString, QString> m_userNames; // entry → the user name of its last dial
    QHash<Handle, Link> m_handles;       // every handle handed out, with its link
    QHash<QString, QString> m_names;     // "index/interface" → the connection's name, once found in a file
    Handle m_lastHandle = 0;
    std::optional<DialInProgress> m_dial;
};
