// The alert window: its numbered title, the automatic close, the reminder and its look.
#include "alert/AlertScheduler.h"
#include "gui/alert/TAlertOut.h"
#include "gui/alert/TWarning.h"
#include "tests/gui/FindChild.h"
#include "tests/gui/alert/AlertFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace {

class AlertOutTest : public AlertFixture
{
protected:
    TAlertOut* open()
    {
        auto* window = new TAlertOut(playSound, clock);
        window->slideIn(AlertSlide{QPoint(10, 10), 1, 0}, [] {});
        return window;
    }

    QStringList warnings;
    AlertSound alertSound{sound, {programDir()}, [this](const QString& text) { warnings.append(text); }};
    TAlertOut::PlaySound playSound = [this] { alertSound.PlaySound(AlertScheduler::soundName); };
};

TEST_F(AlertOutTest, WindowsOpenTogetherAreNumberedFromZeroAndAClosedOneNoLongerCounts)
{
    TAlertOut* first = open();
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Message"));
    first->Timer1Timer();
    TAlertOut* second = open();
    second->Timer1Timer();
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Qov Ruvela v2.2.1 Alert 0"));
    EXPECT_EQ(second->windowTitle(), QStringLiteral("Qov Ruvela v2.2.1 Alert 1"));

    first->close();
    TAlertOut* third = open();
    third->Timer1Timer();
    EXPECT_EQ(third->windowTitle(), QStringLiteral("Qov Ruvela v2.2.1 Alert 1"));
}

TEST_F(AlertOutTest, AutoCloseClosesOnTheEighthTickUntouched)
{
    TAlertOut* window = open();
    window->setAutoClose(true);
    for (int tick = 1; tick <= 7; ++tick) {
        window->Timer1Timer();
        ASSERT_TRUE(window->isVisible()) << "tick " << tick;
    }
    window->Timer1Timer();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->closed());
    EXPECT_FALSE(child<QTimer>(*window, "Timer1")->isActive());
}

TEST_F(AlertOutTest, OneMinuteReminderSetAt101559FallsDueOnTheTickAfter1016)
{
    TAlertOut* window = open();
    child<QSpinBox>(*window, "SpinEdit1")->setValue(1);
    QTest::mouseClick(child<QPushButton>(*window, "btnOK"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->closed());

    clock.set(QDateTime(QDate(2024, 3, 20), QTime(10, 15, 59, 800)));
    window->Timer1Timer();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(sound.played.isEmpty());

    clock.set(QDateTime(QDate(2024, 3, 20), QTime(10, 16, 0, 600)));
    window->Timer1Timer();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(child<QSpinBox>(*window, "SpinEdit1")->value(), 0);
    EXPECT_EQ(sound.played, QStringList({programDir() + QStringLiteral("alertB.wav")}));
    EXPECT_FALSE(window->state().RemindAgain());
}

TEST_F(AlertOutTest, ReminderWithoutTheSoundFileStillComesBackAndWarns)
{
    removeSound();
    TAlertOut* window = open();
    child<QSpinBox>(*window, "SpinEdit1")->setValue(1);
    QTest::mouseClick(child<QPushButton>(*window, "btnOK"), Qt::LeftButton);
    clock.advance(1);
    window->Timer1Timer();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(warnings, QStringList({QStringLiteral("alertB.wav not found. Play no sound.")}));
}

TEST_F(AlertOutTest, OkWithoutMinutesClosesTheWindow)
{
    TAlertOut* window = open();
    QTest::mouseClick(child<QPushButton>(*window, "btnOK"), Qt::LeftButton);
    EXPECT_TRUE(window->closed());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(AlertOutTest, SlideMovesOnePixelPerStepAndEndsAtTheSlidesEnd)
{
    auto* window = new TAlertOut(playSound, clock);
    const AlertSlide slide{QPoint(50, 600), -1, window->height()};
    QList<int> tops;
    window->slideIn(slide, [&] { tops.append(window->y()); });
    ASSERT_EQ(tops.size(), window->height());
    EXPECT_EQ(tops.first(), 599);
    EXPECT_EQ(window->pos(), slide.end());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(WarningTest, ShowsTheTextAboveAllWindowsUnderTheProgramTitleAndClosesOnOk)
{
    QPointer<TWarning> warning = TWarning::open(QStringLiteral("alertB.wav not found. Play no sound."));
    EXPECT_TRUE(warning->isVisible());
    EXPECT_FALSE(warning->isModal());
    EXPECT_EQ(warning->windowTitle(), QStringLiteral("Qov Ruvela v2.2.1"));
    EXPECT_TRUE(warning->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(child<QLabel>(*warning, "lblWarn")->text(), QStringLiteral("alertB.wav not found. Play no sound."));
    EXPECT_TRUE(child<QLabel>(*warning, "lblWarn")->wordWrap());
    // A one-line warning is a small box, wide enough for its title.
    const QFontMetrics metrics = warning->fontMetrics();
    EXPECT_LT(warning->height(), 4 * metrics.lineSpacing() + 28 + 2 * 10 + 12);
    EXPECT_GE(warning->width(), metrics.horizontalAdvance(warning->windowTitle()) + 100);
    QTest::mouseClick(child<QPushButton>(*warning, "btnOK"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(warning.isNull());
}

} // namespace
