// Records that wait for the disk when the program ends: kept in a journal and written at the next start,
// once, into the file they belong to; and never lost without a word.
#include "core/Recorder.h"
#include "record/PendingJournal.h"
#include "record/PeriodRules.h"
#include "record/ProfileRecord.h"
#include "record/StoredDate.h"
#include "settings/SettingNames.h"
#include "tests/support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString home = QStringLiteral("Home ISP");

class RecorderJournalTest : public ::testing::Test
{
protected:
    RecorderJournalTest()
    {
        tp.platform.settings->WriteIniToReg(SettingNames::settingsKeyPath, SettingNames::personalAccount,
                                            QStringLiteral("jane.rvl"));
        writeHeader(tp.clock->now().date());
        tp.dialUp->system().entries = {home};
    }

    void writeHeader(const QDate& created)
    {
        PersonalFile file(tp.programDir(), *tp.clock, *tp.dialogs);
        file.setPersonalFileName(QStringLiteral("jane.rvl"));
        QFile::remove(path());
        file.SaveProfileInfo(ProfileRecord::UserProfileTag, true, StoredDate::dateText(created),
                             PeriodRules::nextPeriodDate(created, 1), 1, 31, QString(), QString(), 0, 0);
    }

    std::unique_ptr<Recorder> startRecorder()
    {
        auto recorder = std::make_unique<Recorder>(tp.platform, tp.programDir(), QStringList{});
        recorder->setJournalPath(journal());
        recorder->load();
        recorder->start();
        return recorder;
    }

    /// A ten-second session ended by the program's end while the file cannot be opened.
    void sessionEndingOnAnUnwritableFile()
    {
        std::unique_ptr<Recorder> recorder = startRecorder();
        tp.dialUp->system().connections = {{SimulationFile::handleOf(home), home, RasState::Connected, 0, {}}};
        recorder->PollConnections();
        for (int i = 0; i < 10; ++i) {
            tp.clock->advance(1);
            recorder->MainTimerTimer();
        }
        // A folder in the file's place: it cannot be opened, as on a folder gone read-only.
        ASSERT_TRUE(QFile::rename(path(), aside()));
        ASSERT_TRUE(QDir().mkdir(path()));
        tp.clock->advance(1);
        recorder->finish();
        tp.dialUp->system().connections.clear();
    }
    void fileBack()
    {
        ASSERT_TRUE(QDir().rmdir(path()));
        ASSERT_TRUE(QFile::rename(aside(), path()));
    }

    QList<ProfileRecord> records() const { return PersonalFile::readRecords(path()).value_or(QList<ProfileRecord>()); }
    QString path() const { return tp.programDir() + QStringLiteral("jane.rvl"); }
    QString aside() const { return tp.programDir() + QStringLiteral("aside.rvl"); }
    QString journal() const { return tp.programDir() + QStringLiteral("state/QovRuvela/pending-records"); }

    TestPlatform tp;
};

TEST_F(RecorderJournalTest, RecordsWaitingAtTheEndAreWrittenOnceAtTheNextStart)
{
    testing::internal::CaptureStderr();
    sessionEndingOnAnUnwritableFile();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("kept in " + journal().toStdString()), std::string::npos) << said;
    ASSERT_TRUE(QFile::exists(journal()));
    EXPECT_EQ(QFile::permissions(journal()) & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0);

    fileBack();
    std::unique_ptr<Recorder> second = startRecorder();
    EXPECT_EQ(second->statusLine(),
              QStringLiteral("1 session record kept at the last exit was written into jane.rvl."));
    EXPECT_FALSE(QFile::exists(journal()));
    const QList<ProfileRecord> written = records();
    ASSERT_EQ(written.size(), 2);
    EXPECT_EQ(written[1].StartText, QStringLiteral("2024/03/20, 10:00:01 am"));
    EXPECT_EQ(written[1].EndText, QStringLiteral("2024/03/20, 10:00:11 am"));
    second->finish();

    // A third start finds nothing to write again.
    std::unique_ptr<Recorder> third = startRecorder();
    EXPECT_EQ(records().size(), 2);
    EXPECT_TRUE(third->statusLine().isEmpty());
}

TEST_F(RecorderJournalTest, AFileStillUnwritableAtTheNextStartTakesTheRecordsWhenItCan)
{
    sessionEndingOnAnUnwritableFile();
    std::unique_ptr<Recorder> second = startRecorder();
    EXPECT_TRUE(second->statusLine().contains(QStringLiteral("wait to be written")))
        << qPrintable(second->statusLine());
    fileBack();
    for (int i = 0; i < 3; ++i) {
        tp.clock->advance(1);
        second->MainTimerTimer();
    }
    EXPECT_EQ(records().size(), 2);
    EXPECT_FALSE(QFile::exists(journal()));
}

TEST_F(RecorderJournalTest, AKillWhileRecordsWaitLosesNoMoreThanAQuarterMinute)
{
    {
        std::unique_ptr<Recorder> recorder = startRecorder();
        tp.dialUp->system().connections = {{SimulationFile::handleOf(home), home, RasState::Connected, 0, {}}};
        recorder->PollConnections();
        tp.clock->advance(1);
        recorder->MainTimerTimer();
        ASSERT_TRUE(QFile::rename(path(), aside()));
        ASSERT_TRUE(QDir().mkdir(path()));
        for (int i = 0; i < 40; ++i) {
            tp.clock->advance(1);
            recorder->MainTimerTimer();
        }
        // Killed at 10:00:41: no end, no last try.
    }
    tp.dialUp->system().connections.clear();
    fileBack();
    std::unique_ptr<Recorder> second = startRecorder();
    const QList<ProfileRecord> written = records();
    ASSERT_EQ(written.size(), 2);
    EXPECT_EQ(written[1].StartText, QStringLiteral("2024/03/20, 10:00:01 am"));
    EXPECT_EQ(written[1].EndText, QStringLiteral("2024/03/20, 10:00:30 am"));
    EXPECT_FALSE(QFile::exists(journal()));
}

TEST_F(RecorderJournalTest, RecordsOfAFileThatChangedStayInTheJournal)
{
    // Kept for the file as it was; meanwhile a new file took the name.
    PendingJournal::Contents kept;
    kept.file = path();
    kept.header = PersonalFile::readHeaderOf(path())->toBytes();
    ProfileRecord session;
    session.Tag = ProfileRecord::UserProfileTag;
    session.StartText = QStringLiteral("2024/03/19, 10:00:01 am");
    session.EndText = QStringLiteral("2024/03/19, 10:00:11 am");
    kept.records.insert(4, session.toBytes());
    QString problem;
    ASSERT_TRUE(PendingJournal::write(journal(), kept, &problem)) << qPrintable(problem);
    writeHeader(tp.clock->now().date().addDays(-3));

    std::unique_ptr<Recorder> second = startRecorder();
    EXPECT_TRUE(second->statusLine().contains(QStringLiteral("stay in"))) << qPrintable(second->statusLine());
    EXPECT_EQ(records().size(), 1);
    EXPECT_FALSE(QFile::exists(journal())) << "moved aside, out of the way of the next end's journal";
    EXPECT_TRUE(QFile::exists(journal() + QStringLiteral("-20240320-100000")));
}

TEST_F(RecorderJournalTest, RecordsThatCannotBeKeptAreNamedOnStandardError)
{
    // A plain file where the journal's folder belongs.
    QDir().mkpath(tp.programDir() + QStringLiteral("state"));
    QFile blocker(tp.programDir() + QStringLiteral("state/QovRuvela"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    testing::internal::CaptureStderr();
    sessionEndingOnAnUnwritableFile();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot be kept"), std::string::npos) << said;
    EXPECT_NE(said.find("from 2024/03/20, 10:00:01 am to 2024/03/20, 10:00:11 am"), std::string::npos) << said;
}

} // namespace
