// The desktop opener's translation of targets and outcomes, with the toolkit's own handlers standing in
// for the desktop's programs so that nothing outside the test is started.
#include "platform/gui/DesktopShell.h"

#include <QDesktopServices>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class Receiver : public QObject
{
    Q_OBJECT
public slots:
    void take(const QUrl& url) { urls.append(url); }

public:
    QList<QUrl> urls;
};

} // namespace

TEST(DesktopShell, AddressesGoToTheProgramForTheirKind)
{
    Receiver mail;
    Receiver web;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &mail, "take");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &web, "take");
    DesktopShell shell;

    EXPECT_EQ(shell.open(QStringLiteral("open"), QStringLiteral("mailto:ruvela@qov.example")), Shell::Opened);
    EXPECT_EQ(shell.open(QString(), QStringLiteral("https://qov.example/ruvela/")), Shell::Opened);
    ASSERT_EQ(mail.urls.size(), 1);
    EXPECT_EQ(mail.urls[0].toString(), QStringLiteral("mailto:ruvela@qov.example"));
    ASSERT_EQ(web.urls.size(), 1);
    EXPECT_EQ(web.urls[0].host(), QStringLiteral("qov.example"));

    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

TEST(DesktopShell, MissingFilesAndUnusableTargetsAreNotFound)
{
    DesktopShell shell;
    QTemporaryDir dir;
    EXPECT_EQ(shell.open(QStringLiteral("open"), dir.filePath(QStringLiteral("help.html"))), Shell::FileNotFound);
    EXPECT_EQ(shell.open(QStringLiteral("open"), QString()), Shell::FileNotFound);
    EXPECT_EQ(shell.open(QStringLiteral("open"), QStringLiteral("   ")), Shell::FileNotFound);
}

// The offscreen platform has no programs at all, as a desktop without a mail program has none for mail.
TEST(DesktopShell, AnAddressNoProgramTakesHasNoAssociation)
{
    ASSERT_EQ(qEnvironmentVariable("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    DesktopShell shell;
    EXPECT_EQ(shell.open(QString(), QStringLiteral("qovnothing:somewhere")), Shell::NoAssociation);
}

#include "test_desktop_shell.moc"
