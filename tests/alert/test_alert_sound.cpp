// The alert sound: where the wave file is looked for, and the warnings when it is missing or cannot play.
#include "alert/AlertSound.h"
#include "platform/sim/RecordingSound.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AlertSoundTest : public ::testing::Test
{
protected:
    QString folder(const QString& name) const
    {
        QDir(m_root.path()).mkpath(name);
        return m_root.filePath(name) + QLatin1Char('/');
    }
    static void putSound(const QString& folder)
    {
        QFile file(folder + QStringLiteral("alertB.wav"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("RIFF");
    }
    AlertSound make(const QStringList& folders)
    {
        return AlertSound(sound, folders, [this](const QString& text) { warnings.append(text); });
    }

    QTemporaryDir m_root;
    RecordingSound sound;
    QStringList warnings;
};

TEST_F(AlertSoundTest, PlaysTheFileFromTheProgramsFolderBeforeTheInstalledOne)
{
    const QString program = folder(QStringLiteral("bin"));
    const QString installed = folder(QStringLiteral("share/qovruvela"));
    putSound(installed);
    AlertSound alert = make({program, installed});
    alert.PlaySound(QStringLiteral("alertB"));
    putSound(program);
    alert.PlaySound(QStringLiteral("alertB"));
    EXPECT_EQ(sound.played,
              QStringList({installed + QStringLiteral("alertB.wav"), program + QStringLiteral("alertB.wav")}));
    EXPECT_TRUE(warnings.isEmpty());
}

TEST_F(AlertSoundTest, AMissingFileIsNotPlayedAndWarnsEachTime)
{
    AlertSound alert = make({folder(QStringLiteral("bin"))});
    alert.PlaySound(QStringLiteral("alertB"));
    alert.PlaySound(QStringLiteral("alertB"));
    EXPECT_TRUE(sound.played.isEmpty());
    EXPECT_EQ(warnings, QStringList(2, QStringLiteral("alertB.wav not found. Play no sound.")));
}

TEST_F(AlertSoundTest, APlaybackThatCannotStartWarns)
{
    const QString program = folder(QStringLiteral("bin"));
    putSound(program);
    sound.fail = true;
    make({program}).PlaySound(QStringLiteral("alertB"));
    EXPECT_EQ(sound.played.size(), 1);
    EXPECT_EQ(warnings, QStringList({QStringLiteral("Failing to play sound. MCI is busy.")}));
}

TEST(AlertSoundFoldersTest, ProgramFolderFirstThenTheInstallsDataFolder)
{
    EXPECT_EQ(
        AlertSound::soundFolders(QStringLiteral("/home/u/.local/share/QovRuvela/"), QStringLiteral("/usr/bin")),
        QStringList({QStringLiteral("/home/u/.local/share/QovRuvela/"), QStringLiteral("/usr/share/qovruvela/")}));
    // A portable copy whose program folder is the executable's: its own data folder still comes second.
    EXPECT_EQ(AlertSound::soundFolders(QStringLiteral("/opt/q/bin"), QStringLiteral("/opt/q/bin/")),
              QStringList({QStringLiteral("/opt/q/bin/"), QStringLiteral("/opt/q/share/qovruvela/")}));
    // No usable program folder: the installed sound still plays.
    EXPECT_EQ(AlertSound::soundFolders(QString(), QStringLiteral("/usr/bin")),
              QStringList({QStringLiteral("/usr/share/qovruvela/")}));
}

} // namespace
