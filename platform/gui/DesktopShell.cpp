// Turns the target into a URL the desktop understands and finds out whether a program takes it, without
// waiting: first the desktop's default program for its kind ("xdg-mime query default"); when there is none,
// the opener itself, whose exit status tells whether it found another way (a browser it knows of, say).
#include "platform/gui/DesktopShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

namespace {

// "C:\x" has a one-letter scheme too; only longer schemes make an address.
bool isAddress(const QUrl& url)
{
    return url.isValid() && url.scheme().size() > 1;
}

void report(const Shell::Done& done, int result)
{
    if (done)
        done(result);
}

// The opener's exit codes: 0 opened, 2 a missing file, 3 no way of opening it, 4 the desktop's own tool
// failed (which, with no default program, is its way of saying the same).
int openerResult(int exitCode)
{
    switch (exitCode) {
    case 0:
        return Shell::Opened;
    case 2:
        return Shell::FileNotFound;
    case 3:
    case 4:
        return Shell::NoAssociation;
    default:
        return Shell::Opened;
    }
}

// Runs the opener and reports by its exit status. It may run as long as the program it started (a browser
// started anew stays its child), and reports nothing bad meanwhile.
void runOpener(const QUrl& url, Shell::Done done)
{
    auto* opener = new QProcess;
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(opener, &QProcess::finished, opener, [opener, done](int exitCode, QProcess::ExitStatus status) {
        opener->deleteLater();
        report(done, status == QProcess::NormalExit ? openerResult(exitCode) : Shell::Opened);
    });
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, done](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        opener->deleteLater();
        report(done, Shell::NoAssociation);
    });
    opener->start(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)});
}

// The toolkit's opener, once a program is known to exist.
void openWithToolkit(const QUrl& url, const Shell::Done& done)
{
    report(done, QDesktopServices::openUrl(url) ? Shell::Opened : Shell::NoAssociation);
}

} // namespace

QString DesktopShell::kindOf(const QUrl& url)
{
    if (!url.isLocalFile())
        return QStringLiteral("x-scheme-handler/") + url.scheme().toLower();
    const QMimeType type = QMimeDatabase().mimeTypeForFile(url.toLocalFile());
    return type.isValid() ? type.name() : QString();
}

void DesktopShell::open(const QString& /*verb*/, const QString& target, Done done)
{
    if (target.trimmed().isEmpty()) {
        report(done, FileNotFound);
        return;
    }
    QUrl url(target, QUrl::StrictMode);
    if (!isAddress(url)) {
        const QFileInfo file(target);
        if (!file.exists()) {
            report(done, FileNotFound);
            return;
        }
        url = QUrl::fromLocalFile(file.absoluteFilePath());
    }
    const QString kind = kindOf(url);
    if (kind.isEmpty()) {
        // No content types known here: the opener finds the file's type itself.
        runOpener(url, std::move(done));
        return;
    }
    auto* query = new QProcess;
    query->setProcessChannelMode(QProcess::SeparateChannels);
    query->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(query, &QProcess::finished, query, [query, url, done](int exitCode, QProcess::ExitStatus status) {
        query->deleteLater();
        const bool hasDefault =
            status == QProcess::NormalExit && exitCode == 0 && !query->readAllStandardOutput().trimmed().isEmpty();
        if (hasDefault)
            openWithToolkit(url, done);
        else
            runOpener(url, done);
    });
    // Without the desktop's tools there is only the toolkit to ask.
    QObject::connect(query, &QProcess::errorOccurred, query, [query, url, done](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        query->deleteLater();
        openWithToolkit(url, done);
    });
    query->start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), kind});
}
