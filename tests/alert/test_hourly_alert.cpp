// The hourly alert on screen: options read from the Settings tab, windows placed on the whole screen,
// the sound and its warning, and the options written when the user changes them.
#include "alert/ui/AlertOptionEvents.h"
#include "alert/ui/HourlyAlert.h"
#include "alert/ui/TAlertOut.h"
#include "alert/ui/TWarning.h"
#include "shell/ui/SettingsTab.h"
#include "tests/alert/AlertFixture.h"
#include "tests/alert/StringPrinters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QSpinBox>
#include <QTest>

namespace {

class HourlyAlertTest : public AlertFixture
{
protected:
    HourlyAlertTest()
    {
        alert.setSlidePause([] {});
        settings.chkSixtyMinsToAlert->setChecked(true);
    }

    // One minute of a recorded session as the one-second tick sees it.
    void minute(qint32 usedMinutes)
    {
        for (int second = 0; second < 60; ++second)
            alert.CheckHourlyAlert(usedMinutes);
    }

    static QRect screen() { return QGuiApplication::primaryScreen()->geometry(); }

    SettingsTab settings;
    QString received = QStringLiteral("1.00 MB");
    QString sent = QStringLiteral("12.00 KB");
    HourlyAlert alert{settings, {[this] { return received; }, [this] { return sent; }}, sound, clock, {programDir()}};
};

TEST_F(HourlyAlertTest, EachFullHourSlidesInOneAlertWithTheHoursAndBytesAndNoReminder)
{
    for (const qint32 used : {59, 60, 61, 119, 120})
        minute(used);
    const QList<TAlertOut*> open = alert.openAlerts();
    ASSERT_EQ(open.size(), 2);
    EXPECT_EQ(open[0]->message(), QStringLiteral("1 hour\n\nDownloaded Bytes: 1.00 MB\n\nUploaded Bytes: 12.00 KB"));
    EXPECT_TRUE(open[1]->message().startsWith(QStringLiteral("2 hours\n")));
    EXPECT_FALSE(open[0]->SpinEdit1->isVisibleTo(open[0]));
    EXPECT_FALSE(open[0]->lblRemind->isVisibleTo(open[0]));
    EXPECT_FALSE(open[0]->lblMins->isVisibleTo(open[0]));
    EXPECT_TRUE(open[0]->isVisible());
    EXPECT_EQ(sound.played.size(), 2);
}

TEST_F(HourlyAlertTest, EveryCornerIsFlushWithTheWholeScreensEdges)
{
    const struct
    {
        int item;
        bool left;
        bool upper;
    } corners[] = {{0, true, true}, {1, false, true}, {2, true, false}, {3, false, false}, {-1, false, false}};
    qint32 used = 60;
    for (const auto& corner : corners) {
        SCOPED_TRACE(corner.item);
        settings.cbAlertPos->setCurrentIndex(corner.item);
        minute(used);
        used += 60;
        const QRect placed = alert.openAlerts().last()->frameGeometry();
        if (corner.left)
            EXPECT_EQ(placed.left(), screen().left());
        else
            EXPECT_EQ(placed.right(), screen().right());
        if (corner.upper)
            EXPECT_EQ(placed.top(), screen().top());
        else
            EXPECT_EQ(placed.bottom(), screen().bottom());
    }
}

TEST_F(HourlyAlertTest, DoNotPlaySoundAttemptsNoSoundAndCannotWarn)
{
    settings.chkAlertNoSound->setChecked(true);
    removeSound();
    minute(60);
    EXPECT_EQ(alert.openAlerts().size(), 1);
    EXPECT_TRUE(sound.played.isEmpty());
    EXPECT_TRUE(windows<TWarning>().isEmpty());
}

TEST_F(HourlyAlertTest, AMissingSoundFileOpensAWarningBesideEachAlert)
{
    removeSound();
    minute(60);
    minute(120);
    EXPECT_EQ(alert.openAlerts().size(), 2);
    const QList<TWarning*> warnings = windows<TWarning>();
    ASSERT_EQ(warnings.size(), 2);
    for (const TWarning* warning : warnings)
        EXPECT_EQ(warning->lblWarn->text(), QStringLiteral("alertB.wav not found. Play no sound."));
    EXPECT_TRUE(sound.played.isEmpty());
}

TEST_F(HourlyAlertTest, AFailingPlaybackWarnsAndTheAlertStillComes)
{
    sound.fail = true;
    minute(60);
    EXPECT_EQ(alert.openAlerts().size(), 1);
    const QList<TWarning*> warnings = windows<TWarning>();
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0]->lblWarn->text(), QStringLiteral("Failing to play sound. MCI is busy."));
}

TEST_F(HourlyAlertTest, AutomaticCloseOptionReachesTheWindow)
{
    settings.chkAutoClose_60MinsForm->setChecked(true);
    minute(60);
    TAlertOut* window = alert.openAlerts().value(0);
    ASSERT_TRUE(window);
    for (int tick = 0; tick < 8; ++tick)
        window->Timer1Timer();
    EXPECT_TRUE(alert.openAlerts().isEmpty());
}

class AlertOptionEventsTest : public ::testing::Test
{
protected:
    // On the box's square, which takes the click whatever the width of the box.
    static void clickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

    // Whether a key press on the position box reached its group box, the box having left it alone.
    bool enterReachesTheGroup()
    {
        struct Watch : QObject
        {
            bool seen = false;
            bool eventFilter(QObject*, QEvent* event) override
            {
                seen = seen || event->type() == QEvent::KeyPress;
                return false;
            }
        } watch;
        settings.gbEveryHourAlert->installEventFilter(&watch);
        QTest::keyClick(settings.cbAlertPos, Qt::Key_Return);
        settings.gbEveryHourAlert->removeEventFilter(&watch);
        return watch.seen;
    }

    SettingsTab settings;
    QStringList written;
    AlertOptionEvents events{settings, [this](const QString& name, const QString& value) {
                                 written.append(name + QLatin1Char('=') + value);
                             }};
};

TEST_F(AlertOptionEventsTest, EachBoxWritesItsStateWhenClicked)
{
    settings.show();
    settings.chkAfterDisconnection->setVisible(true);
    for (QCheckBox* box : {settings.chkSixtyMinsToAlert, settings.chkAutoClose_60MinsForm, settings.chkAlertNoSound,
                           settings.chkAfterDisconnection})
        clickBox(box);
    clickBox(settings.chkSixtyMinsToAlert);
    EXPECT_EQ(written,
              QStringList({QStringLiteral("CheckSixtyMinsToAlert=1"), QStringLiteral("CheckAutoClose_60MinsForm=1"),
                           QStringLiteral("CheckAlertNoSound=1"), QStringLiteral("CheckAfterDisconnection=1"),
                           QStringLiteral("CheckSixtyMinsToAlert=0")}));
}

TEST_F(AlertOptionEventsTest, LoadingTheBoxesWritesNothing)
{
    settings.chkSixtyMinsToAlert->setChecked(true);
    settings.cbAlertPos->setCurrentIndex(0);
    EXPECT_TRUE(written.isEmpty());
}

TEST_F(AlertOptionEventsTest, PositionIsWrittenWhenChosenAndOnEnterUnlessEmpty)
{
    settings.cbAlertPos->setCurrentIndex(1);
    emit settings.cbAlertPos->activated(1);
    EXPECT_FALSE(enterReachesTheGroup());
    EXPECT_EQ(written, QStringList(2, QStringLiteral("ComboBoxAlertPos=Upper Right")));

    written.clear();
    settings.cbAlertPos->setCurrentIndex(-1);
    EXPECT_TRUE(enterReachesTheGroup());
    EXPECT_TRUE(written.isEmpty());
}

} // namespace
