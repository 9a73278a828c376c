// The Traffic Monitor page on the offscreen platform: fields and tabs follow the monitor, a click on a tab
// shows its interface, a page shown before any rendering has its fields at once, and the description's hint.
#include "gui/traffic/TrafficTab.h"
#include "platform/sim/SimulatedInterfaceTable.h"
#include "tests/support/TestClock.h"
#include "tests/traffic/StringPrinter.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TrafficTabTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        table.addInterface(1, QStringLiteral("lo - Loopback"));
        table.addInterface(6, QStringLiteral("ppp0 - PPP link"), 100, 100);
        table.addresses = {{6, ipv4Address(10, 64, 0, 7)}};
        tab.resize(600, 400);
        QObject::connect(&tab, &TrafficTab::tabChosen, [this](int index) { monitor.selectTab(index); });
    }

    QLineEdit* field(const char* name) const { return tab.findChild<QLineEdit*>(QLatin1String(name)); }
    QTabBar* tabs() const { return tab.findChild<QTabBar*>(QStringLiteral("TrafficTabs")); }

    SimulatedInterfaceTable table;
    TestClock clock;
    TrafficMonitor monitor{table, clock};
    TrafficTab tab{monitor};
};

TEST_F(TrafficTabTest, TabsAndFieldsFollowThePasses)
{
    monitor.primeTrafficMonitor();
    tab.render();
    ASSERT_EQ(tabs()->count(), 2);
    EXPECT_EQ(tabs()->tabText(0), QStringLiteral("!not_found!"));
    EXPECT_EQ(tabs()->tabText(1), QStringLiteral(" 10. 64.  0.  7"));
    EXPECT_EQ(tabs()->currentIndex(), 1);
    table.move(6, 3000, 1500);
    monitor.UpdateTrafficMonitor();
    tab.render();
    EXPECT_EQ(field("ledAdapterDescription")->text(), QStringLiteral("ppp0 - PPP link"));
    EXPECT_EQ(field("ledOctInSec")->text(), QStringLiteral("2.93 KB/s"));
    EXPECT_EQ(field("ledTotalIN")->text(), QStringLiteral("2.93 KB"));
    EXPECT_EQ(field("ledActiveFor")->text(), QStringLiteral("00:00:01"));
    EXPECT_EQ(tab.findChild<QLabel*>(QStringLiteral("StatusText"))->text(), QStringLiteral("Connected, Running"));

    QTest::mouseClick(tabs(), Qt::LeftButton, {}, tabs()->tabRect(0).center());
    EXPECT_EQ(field("ledAdapterDescription")->text(), QStringLiteral("lo - Loopback"));
    EXPECT_EQ(monitor.tabIndex(), 0);

    // Clearing rebuilds the bar: the next pass's tabs are the only ones.
    monitor.ClearTrafficMonitor();
    tab.render();
    EXPECT_EQ(tabs()->count(), 0);
    EXPECT_TRUE(field("ledAdapterDescription")->text().isEmpty());
    EXPECT_FALSE(field("ledTotalIN")->text().isEmpty());
    monitor.UpdateTrafficMonitor();
    tab.render();
    EXPECT_EQ(tabs()->count(), 2);
}

TEST_F(TrafficTabTest, APageShownBeforeItWasFilledShowsItsFiguresAtOnce)
{
    monitor.primeTrafficMonitor();
    tab.show();
    // Nothing is left for the event loop: the first frame of the page already has its fields.
    ASSERT_NE(field("ledAdapterDescription"), nullptr);
    EXPECT_TRUE(field("ledAdapterDescription")->isVisible());
    EXPECT_TRUE(tabs()->isVisible());
    EXPECT_EQ(field("ledAdapterDescription")->text(), QStringLiteral("ppp0 - PPP link"));
}

TEST_F(TrafficTabTest, ALongDescriptionGetsItsWholeTextAsHint)
{
    tab.show();
    QLineEdit* description = field("ledAdapterDescription");
    description->setText(QStringLiteral("ppp0"));
    EXPECT_TRUE(description->toolTip().isEmpty());
    const QString long_ = QStringLiteral("a very long adapter description ").repeated(8);
    description->setText(long_);
    EXPECT_EQ(description->toolTip(), long_);
}

// A page with less room than its figures need, as in a main window sized before the page was made: every
// field keeps the height of its text and the width of its widest figure; the page scrolls instead.
TEST_F(TrafficTabTest, FiguresKeepTheirRoomInACrampedWindow)
{
    monitor.primeTrafficMonitor();
    tab.resize(360, 240);
    tab.show();
    QApplication::processEvents();
    for (const char* name :
         {"ledMACAddress", "ledSpeed", "ledStartedAt", "ledActiveFor", "ledOctInSec", "ledPeakINSec", "ledAvgINSec",
          "ledTotalIN", "ledOctOUTSec", "ledPeakOUTSec", "ledAvgOUTSec", "ledTotalOUT"}) {
        const QLineEdit* f = field(name);
        EXPECT_GE(f->height(), f->sizeHint().height()) << name;
        EXPECT_GT(f->width(), f->fontMetrics().horizontalAdvance(QStringLiteral("1,023.99 KB/s"))) << name;
    }
}

} // namespace
