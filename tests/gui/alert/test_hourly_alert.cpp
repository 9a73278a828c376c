// The hourly alert on screen: windows placed on the whole screen, the sound's warning, and the options kept
// when the user changes them.
#include "gui/alert/AlertOptionEvents.h"
#include "gui/alert/HourlyAlert.h"
#include "gui/alert/TAlertOut.h"
#include "gui/alert/TWarning.h"
#include "gui/settings/SettingsTab.h"
#include "platform/SettingsStore.h"
#include "settings/Settings.h"
#include "tests/gui/alert/AlertFixture.h"
#include "tests/gui/alert/StringPrinters.h"

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
    }

    static QRect screen() { return QGuiApplication::primaryScreen()->geometry(); }

    const QString message = QStringLiteral("1 hour\n\nDownloaded Bytes: 1.00 MB\n\nUploaded Bytes: 12.00 KB");
    AlertSound alertSound{sound, {programDir()}, &HourlyAlert::showSoundWarning};
    HourlyAlert alert{alertSound, clock};
};

TEST_F(HourlyAlertTest, EachAlertSlidesInItsOwnWindowWithoutTheReminder)
{
    alert.showAlert(message, false, AlertCorner::LowerRight);
    alert.showAlert(QStringLiteral("2 hours"), false, AlertCorner::LowerRight);
    const QList<TAlertOut*> open = alert.openAlerts();
    ASSERT_EQ(open.size(), 2);
    EXPECT_EQ(open[0]->message(), message);
    EXPECT_EQ(open[1]->message(), QStringLiteral("2 hours"));
    EXPECT_FALSE(open[0]->SpinEdit1->isVisibleTo(open[0]));
    EXPECT_FALSE(open[0]->lblRemind->isVisibleTo(open[0]));
    EXPECT_FALSE(open[0]->lblMins->isVisibleTo(open[0]));
    EXPECT_TRUE(open[0]->isVisible());
}

TEST_F(HourlyAlertTest, EveryCornerIsFlushWithTheWholeScreensEdges)
{
    const struct
    {
        AlertCorner corner;
        bool left;
        bool upper;
    } corners[] = {{AlertCorner::UpperLeft, true, true},
                   {AlertCorner::UpperRight, false, true},
                   {AlertCorner::LowerLeft, true, false},
                   {AlertCorner::LowerRight, false, false}};
    for (const auto& corner : corners) {
        SCOPED_TRACE(int(corner.corner));
        alert.showAlert(message, false, corner.corner);
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

TEST_F(HourlyAlertTest, AMissingSoundFileOpensAWarningEachTime)
{
    removeSound();
    alertSound.PlaySound(QStringLiteral("alertB"));
    alertSound.PlaySound(QStringLiteral("alertB"));
    const QList<TWarning*> warnings = windows<TWarning>();
    ASSERT_EQ(warnings.size(), 2);
    for (const TWarning* warning : warnings)
        EXPECT_EQ(warning->lblWarn->text(), QStringLiteral("alertB.wav not found. Play no sound."));
    EXPECT_TRUE(sound.played.isEmpty());
}

TEST_F(HourlyAlertTest, AFailingPlaybackWarns)
{
    sound.fail = true;
    alertSound.PlaySound(QStringLiteral("alertB"));
    const QList<TWarning*> warnings = windows<TWarning>();
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0]->lblWarn->text(), QStringLiteral("Failing to play sound. MCI is busy."));
}

TEST_F(HourlyAlertTest, AutomaticCloseReachesTheWindow)
{
    alert.showAlert(message, true, AlertCorner::LowerRight);
    TAlertOut* window = alert.openAlerts().value(0);
    ASSERT_TRUE(window);
    for (int tick = 0; tick < 8; ++tick)
        window->Timer1Timer();
    EXPECT_TRUE(alert.openAlerts().isEmpty());
}

// A settings store that keeps the order of the writes.
class WriteLog final : public SettingsStore
{
public:
    QString ReadIniFromReg(const QString&, const QString&) const override { return QString(); }
    bool WriteIniToReg(const QString&, const QString& name, const QString& value) override
    {
        written.append(name + QLatin1Char('=') + value);
        return true;
    }
    QString problem() const override { return QString(); }

    QStringList written;
};

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
    WriteLog store;
    Settings values{store};
    QStringList& written = store.written;
    AlertOptionEvents events{settings, values};
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
