// What the screen shows after the Main tab's figures change while it is shown: the parts of the window
// that are repainted only in part (the group boxes stay as drawn) must look exactly as a full redraw; and
// where the pointer stands on the hour scale.
#include "gui/main/MainTab.h"
#include "gui/widgets/TLabel3D.h"
#include "tests/gui/FindChild.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The window as the screen holds it, from the window system's copy of its last repaints.
QImage onScreen(QWidget& window)
{
    return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

QImage redrawn(QWidget& window)
{
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Where two pictures differ: empty when they are the same.
QRect difference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return QRect(QPoint(0, 0), a.size().expandedTo(b.size()));
    QRect where;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                where |= QRect(x, y, 1, 1);
        }
    }
    return where;
}

// Lets the window repaint what changed, as the event loop does between two seconds.
void repaintChanges()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

} // namespace

TEST(MainTabRepaint, FiguresChangingEverySecondLeaveTheWindowAsAFullRedrawDrawsIt)
{
    QTabWidget window;
    auto* tab = new MainTab;
    window.addTab(tab, QStringLiteral("Main"));
    window.addTab(new QWidget, QStringLiteral("Other"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    repaintChanges();
    ASSERT_EQ(difference(onScreen(window), redrawn(window)), QRect());

    // A session's seconds: only the changed fields and the status are repainted.
    child<QLabel>(*tab, "lblOnlineStatus")->setText(QStringLiteral(" Online."));
    for (int second = 1; second <= 3; ++second) {
        child<QLineEdit>(*tab, "edElapsed")->setText(QStringLiteral("00:00:0%1").arg(second));
        child<QLineEdit>(*tab, "edReceived")->setText(QStringLiteral("%1 bytes").arg(second * 1024));
        child<QLineEdit>(*tab, "edStartTime")->setText(QStringLiteral("2026/12/08, 09:00:00 am"));
        child<QLabel>(*tab, "lblOnlineStatus")
            ->setText(QStringLiteral(" Online") + QString(second % 4, QLatin1Char('.')));
        repaintChanges();
        EXPECT_EQ(difference(onScreen(window), redrawn(window)), QRect()) << "second " << second;
    }

    // The status line's message and the allowance line change in slots of their own: the status line still
    // spans the page as the group boxes do, and the screen shows the new texts.
    tab->renderStatusLine(QStringLiteral("Today is not a recording day of the period."));
    tab->renderAllowance(QStringLiteral("Today 0:12"), QString(), false, 0);
    repaintChanges();
    const auto* line = child<TLabel3D>(*tab, "lblStatusBar");
    const QRect others = child<QGroupBox>(*tab, "gbOther")->geometry();
    EXPECT_EQ(line->mapTo(tab, QPoint(0, 0)).x(), others.left());
    EXPECT_EQ(line->width(), others.width());
    EXPECT_EQ(difference(onScreen(window), redrawn(window)), QRect());

    // A change that reaches a group box's frame or title still redraws them.
    child<QGroupBox>(*tab, "gbOther")->setTitle(QStringLiteral(" Other figures "));
    child<QGroupBox>(*tab, "gbStatus")->setEnabled(false);
    repaintChanges();
    EXPECT_EQ(difference(onScreen(window), redrawn(window)), QRect());
}

TEST(MainTabScale, ThePointerStepsAlongTheScaleMinuteByMinute)
{
    EXPECT_EQ(MainTab::pointerLeft(0), MainTab::pointerHomeLeft);
    EXPECT_EQ(MainTab::pointerLeft(1), MainTab::pointerHomeLeft + 5);
    EXPECT_EQ(MainTab::pointerLeft(59), MainTab::pointerHomeLeft + 312);
}
