// Start at log-in: the desktop entry written, validated, started by an autostart runner, and removed.
#include "platform/linux/XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {
const QString title = QStringLiteral("Qov Ruvela v2.2.1");

class StartupEntryTest : public ::testing::Test
{
protected:
    QString autostart() const { return dir.filePath(QStringLiteral("config/autostart")); }

    // A stand-in for the program that leaves a marker when started.
    QString fakeProgram(const QString& folder)
    {
        QDir().mkpath(folder);
        const QString path = QDir(folder).filePath(QStringLiteral("qovruvela"));
        QFile script(path);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(marker()).toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    QString marker() const { return dir.filePath(QStringLiteral("started")); }

    QTemporaryDir dir;
};

TEST_F(StartupEntryTest, WrittenEntryIsValidAndReadsBack)
{
    XdgAutostart entries(autostart());
    const QString program = dir.filePath(QStringLiteral("plain/qovruvela"));
    ASSERT_TRUE(entries.WriteStartupEntry(title, program));
    EXPECT_EQ(entries.readStartupEntry(title), program);
    // The entry marks its start, so that a start at log-in can be told from the user's.
    QFile written(entries.filePathOf(title));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(written.readAll()).contains(QStringLiteral(" --at-login\n")));
    EXPECT_FALSE(entries.startedAtLogin());
    EXPECT_TRUE(entries.filePathOf(title).endsWith(QStringLiteral(".desktop")));

    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    QProcess check;
    check.start(validator, {entries.filePathOf(title)});
    ASSERT_TRUE(check.waitForFinished(30000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
}

TEST_F(StartupEntryTest, PathsWithBlanksAndSpecialCharactersAreQuotedAndRoundTrip)
{
    for (const QString& program :
         {QStringLiteral("/opt/my apps/qovruvela"), QStringLiteral("/tmp/a\"b$c`d\\e/qovruvela"),
          QStringLiteral("/tmp/100%/qovruvela")}) {
        const QString exec = XdgAutostart::execValue(program);
        EXPECT_TRUE(exec.startsWith(QLatin1Char('"')) || !program.contains(QLatin1Char(' '))) << exec.toStdString();
        EXPECT_EQ(XdgAutostart::programOf(exec), program) << exec.toStdString();
    }
    EXPECT_EQ(XdgAutostart::execValue(QStringLiteral("/opt/my apps/qovruvela")),
              QStringLiteral("\"/opt/my apps/qovruvela\""));
    EXPECT_EQ(XdgAutostart::execValue(QStringLiteral("/usr/bin/qovruvela")), QStringLiteral("/usr/bin/qovruvela"));
}

TEST_F(StartupEntryTest, RemovedEntryIsGoneAndAnAbsentOneCountsAsRemoved)
{
    XdgAutostart entries(autostart());
    EXPECT_TRUE(entries.RemoveStartupEntry(title)); // never written, folder missing
    ASSERT_TRUE(entries.WriteStartupEntry(title, QStringLiteral("/usr/bin/qovruvela")));
    EXPECT_TRUE(entries.RemoveStartupEntry(title));
    EXPECT_FALSE(QFile::exists(entries.filePathOf(title)));
    EXPECT_TRUE(entries.readStartupEntry(title).isEmpty());
    EXPECT_TRUE(entries.RemoveStartupEntry(title));
}

TEST_F(StartupEntryTest, AnAutostartRunnerReallyStartsTheProgram)
{
    const QString dex = QStandardPaths::findExecutable(QStringLiteral("dex"));
    if (dex.isEmpty())
        GTEST_SKIP() << "dex is not installed";
    XdgAutostart entries(autostart());
    const QString program = fakeProgram(dir.filePath(QStringLiteral("with blanks")));
    ASSERT_TRUE(entries.WriteStartupEntry(title, program));

    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CONFIG_DIRS"), dir.filePath(QStringLiteral("no-system-entries")));
    run.setProcessEnvironment(env);
    run.start(dex, {QStringLiteral("-a"), QStringLiteral("-w")});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    // The runner may return before the program it started has run.
    for (int i = 0; i < 100 && !QFile::exists(marker()); ++i)
        QThread::msleep(100);
    EXPECT_TRUE(QFile::exists(marker())) << run.readAllStandardOutput().toStdString();

    // Once the program is gone (a package removed) the entry names it in TryExec, and the runner passes
    // over it without an error instead of failing to start it at every log-in.
    QFile::remove(marker());
    QFile::remove(program);
    run.start(dex, {QStringLiteral("-a"), QStringLiteral("-w")});
    ASSERT_TRUE(run.waitForFinished(30000));
    const QString said = QString::fromUtf8(run.readAllStandardError() + run.readAllStandardOutput());
    EXPECT_EQ(run.exitCode(), 0) << said.toStdString();
    EXPECT_TRUE(said.trimmed().isEmpty()) << said.toStdString();
}
} // namespace
