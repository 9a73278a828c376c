// The hourly alert on screen: windows placed on the whole screen, the sound's warning, and the options kept
// when the user changes them.
#include "alert/AlertScheduler.h"
#include "gui/alert/AlertOptionsGroup.h"
#include "gui/alert/HourlyAlert.h"
#include "gui/alert/TAlertOut.h"
#include "gui/alert/TWarning.h"
#include "settings/StoredSettings.h"
#include "tests/gui/FindChild.h"
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
    HourlyAlert alert{[this] { alertSound.PlaySound(AlertScheduler::soundName); }, clock};
};

TEST_F(HourlyAlertTest, EachAlertSlidesInItsOwnWindowWithoutTheReminder)
{
    alert.showAlert(message, false, AlertCorner::LowerRight);
    alert.showAlert(QStringLiteral("2 hours"), false, AlertCorner::LowerRight);
    const QList<TAlertOut*> open = alert.openAlerts();
    ASSERT_EQ(open.size(), 2);
    EXPECT_EQ(open[0]->message(), message);
    EXPECT_EQ(open[1]->message(), QStringLiteral("2 hours"));
    EXPECT_FALSE(child<QSpinBox>(*open[0], "SpinEdit1")->isVisibleTo(open[0]));
    EXPECT_FALSE(child<QLabel>(*open[0], "lblRemind")->isVisibleTo(open[0]));
    EXPECT_FALSE(child<QLabel>(*open[0], "lblMins")->isVisibleTo(open[0]));
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
        EXPECT_EQ(child<QLabel>(*warning, "lblWarn")->text(), QStringLiteral("alertB.wav not found. Play no sound."));
    EXPECT_TRUE(sound.played.isEmpty());
}

TEST_F(HourlyAlertTest, AFailingPlaybackWarns)
{
    sound.fail = true;
    alertSound.PlaySound(QStringLiteral("alertB"));
    const QList<TWarning*> warnings = windows<TWarning>();
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(child<QLabel>(*warnings[0], "lblWarn")->text(), QStringLiteral("Failing to play sound. MCI is busy."));
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

class AlertOptionsGroupTest : public ::testing::Test
{
protected:
    AlertOptionsGroupTest()
    {
        connect("sixty", &AlertOptionsGroup::sixtyMinsToAlertClicked);
        connect("autoClose", &AlertOptionsGroup::autoCloseClicked);
        connect("noSound", &AlertOptionsGroup::noSoundClicked);
        connect("afterDisconnection", &AlertOptionsGroup::afterDisconnectionClicked);
        QObject::connect(&group, &AlertOptionsGroup::positionChosen,
                         [this](const QString& corner) { told << QStringLiteral("position=") + corner; });
    }
    void connect(const char* what, void (AlertOptionsGroup::*signal)(bool))
    {
        QObject::connect(&group, signal,
                         [this, what](bool on) { told << QString::fromLatin1(what) + (on ? "=1" : "=0"); });
    }
    template <class T> T* control(const char* name) { return child<T>(group, name); }

    // On the box's square, which takes the click whatever the width of the box.
    void clickBox(const char* name)
    {
        auto* box = control<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

    // Whether a key press on the position box reached the group, the box having left it alone.
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
        group.installEventFilter(&watch);
        QTest::keyClick(control<QComboBox>("cbAlertPos"), Qt::Key_Return);
        group.removeEventFilter(&watch);
        return watch.seen;
    }

    AlertOptionsGroup group;
    QStringList told;
};

TEST_F(AlertOptionsGroupTest, EachBoxTellsItsStateWhenClicked)
{
    group.show();
    control<QCheckBox>("chkAfterDisconnection")->setVisible(true);
    for (const char* box :
         {"chkSixtyMinsToAlert", "chkAutoClose_60MinsForm", "chkAlertNoSound", "chkAfterDisconnection"})
        clickBox(box);
    clickBox("chkSixtyMinsToAlert");
    EXPECT_EQ(told, QStringList({QStringLiteral("sixty=1"), QStringLiteral("autoClose=1"), QStringLiteral("noSound=1"),
                                 QStringLiteral("afterDisconnection=1"), QStringLiteral("sixty=0")}));
}

TEST_F(AlertOptionsGroupTest, ShowingTheStoredOptionsTellsNothing)
{
    StoredSettings stored;
    stored.sixtyMinsToAlert = true;
    stored.alertNoSound = true;
    stored.alertPos = QStringLiteral("Upper Left");
    group.render(stored);
    EXPECT_TRUE(control<QCheckBox>("chkSixtyMinsToAlert")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("chkAlertNoSound")->isChecked());
    EXPECT_EQ(control<QComboBox>("cbAlertPos")->currentText(), QStringLiteral("Upper Left"));
    EXPECT_TRUE(told.isEmpty());
}

TEST_F(AlertOptionsGroupTest, PositionIsToldWhenChosenAndOnEnterUnlessEmpty)
{
    auto* corner = control<QComboBox>("cbAlertPos");
    corner->setCurrentIndex(1);
    emit corner->activated(1);
    EXPECT_FALSE(enterReachesTheGroup());
    EXPECT_EQ(told, QStringList(2, QStringLiteral("position=Upper Right")));

    told.clear();
    corner->setCurrentIndex(-1);
    EXPECT_TRUE(enterReachesTheGroup());
    EXPECT_TRUE(told.isEmpty());
}

} // namespace
