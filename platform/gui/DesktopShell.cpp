// Turns the target into a URL the desktop understands and reports the outcome in the opener's numbers.
#include "platform/gui/DesktopShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

// "C:\x" has a one-letter scheme too; only longer schemes make an address.
bool isAddress(const QUrl& url)
{
    return url.isValid() && url.scheme().size() > 1;
}

} // namespace

int DesktopShell::open(const QString& /*verb*/, const QString& target)
{
    if (target.trimmed().isEmpty())
        return FileNotFound;
    QUrl url(target, QUrl::StrictMode);
    if (!isAddress(url)) {
        const QFileInfo file(target);
        if (!file.exists())
            return FileNotFound;
        url = QUrl::fromLocalFile(file.absoluteFilePath());
    }
    // The toolkit says only whether some program took the target; a refusal is almost always a desktop
    // without a program for that kind of address or file.
    return QDesktopServices::openUrl(url) ? Opened : NoAssociation;
}
