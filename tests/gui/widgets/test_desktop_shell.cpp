// The desktop's opener on the xcb platform, as on a user's desktop, with the desktop's programs in folders of
// the test's own: no program for a kind of address or file (empty program folders, an empty mimeapps.list,
// no browser) is reported as such, a program that is there gets the target.
#include "platform/gui/DesktopShell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class DesktopShellTest : public ::testing::Test
{
protected:
    DesktopShellTest()
    {
        for (const char* folder : {"data/applications", "system", "config"})
            QDir(dir.path()).mkpath(QString::fromLatin1(folder));
        qputenv("XDG_DATA_HOME", path("data").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", path("system").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", path("config").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", path("system").toLocal8Bit());
        // A browser that is not there: the opener tries it and nothing else.
        qputenv("BROWSER", "qovruvela-test-no-browser");
        qunsetenv("XDG_CURRENT_DESKTOP");
        qunsetenv("DESKTOP_SESSION");
        write("config/mimeapps.list", "[Default Applications]\n");
    }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    void write(const char* name, const QByteArray& content, bool executable = false) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }

    // A program for `kind` that writes what it was given into `received`.
    void installProgram(const QByteArray& kind)
    {
        // Written aside and renamed, so the test never reads half of it.
        const QString script = QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1.tmp'\nmv '%1.tmp' '%1'\n");
        write("take.sh", script.arg(path("received")).toLocal8Bit(), true);
        write("data/applications/qovtest-take.desktop",
              "[Desktop Entry]\nType=Application\nName=Take\nExec=" + path("take.sh").toLocal8Bit() +
                  " %u\nMimeType=" + kind + ";\n");
        write("config/mimeapps.list", "[Default Applications]\n" + kind + "=qovtest-take.desktop\n");
    }

    QString received() const
    {
        QFile file(path("received"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }

    // Opens and waits for the outcome, which comes once the desktop's tools have answered.
    int open(const QString& target)
    {
        int result = -1;
        shell.open(QStringLiteral("open"), target, [&result](int r) { result = r; });
        EXPECT_TRUE(QTest::qWaitFor([&result] { return result != -1; }, 20000));
        return result;
    }

    QTemporaryDir dir;
    DesktopShell shell;
};

TEST_F(DesktopShellTest, AnAddressNoProgramTakesHasNoAssociation)
{
    ASSERT_EQ(qEnvironmentVariable("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    EXPECT_EQ(open(QStringLiteral("mailto:ruvela@qov.example")), Shell::NoAssociation);
    EXPECT_EQ(open(QStringLiteral("https://qov.example/ruvela/")), Shell::NoAssociation);
}

TEST_F(DesktopShellTest, AFileNoProgramTakesHasNoAssociation)
{
    write("help.html", "<html><body>Help</body></html>");
    EXPECT_EQ(open(path("help.html")), Shell::NoAssociation);
}

TEST_F(DesktopShellTest, TheDesktopsProgramForTheKindGetsTheAddress)
{
    installProgram("x-scheme-handler/mailto");
    EXPECT_EQ(open(QStringLiteral("mailto:ruvela@qov.example")), Shell::Opened);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !received().isEmpty(); }, 20000));
    EXPECT_EQ(received(), QStringLiteral("mailto:ruvela@qov.example"));
    // Another kind still has no program.
    EXPECT_EQ(open(QStringLiteral("https://qov.example/ruvela/")), Shell::NoAssociation);
}

TEST_F(DesktopShellTest, TheDesktopsProgramForTheFileTypeGetsTheFile)
{
    installProgram("text/html");
    write("help.html", "<html><body>Help</body></html>");
    EXPECT_EQ(open(path("help.html")), Shell::Opened);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !received().isEmpty(); }, 20000));
    EXPECT_TRUE(received().endsWith(QStringLiteral("help.html"))) << qPrintable(received());
}

TEST_F(DesktopShellTest, MissingFilesAndEmptyTargetsAreNotFoundAtOnce)
{
    for (const QString& target : {path("missing.html"), QString(), QStringLiteral("   ")}) {
        int result = -1;
        shell.open(QStringLiteral("open"), target, [&result](int r) { result = r; });
        EXPECT_EQ(result, Shell::FileNotFound) << qPrintable(target);
    }
}

TEST(DesktopShellKind, AddressesByTheirScheme)
{
    EXPECT_EQ(DesktopShell::kindOf(QUrl(QStringLiteral("mailto:a@b.example"))),
              QStringLiteral("x-scheme-handler/mailto"));
    EXPECT_EQ(DesktopShell::kindOf(QUrl(QStringLiteral("HTTPS://qov.example/"))),
              QStringLiteral("x-scheme-handler/https"));
}

} // namespace
