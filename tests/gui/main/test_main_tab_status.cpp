// The Main tab's status line and status word as a user reads them: a long message shortened with "…" and
// told whole in the tooltip, each message standing five seconds before the next, and a paused recording.
#include "gui/main/MainTab.h"
#include "gui/widgets/TLabel3D.h"
#include "record/SessionTracker.h"
#include "tests/gui/FindChild.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

const QString noDialUp = QStringLiteral("No dial-up system found: no connection can be seen or recorded.");
const QString noFile = QStringLiteral("No personal file is loaded: press Create / Modify to start one.");

TEST(StatusLineQueue, EachMessageStandsFiveSecondsAndTheLatestComesLast)
{
    const QDateTime start(QDate(2024, 3, 20), QTime(10, 0, 0));
    StatusLineQueue q;
    EXPECT_TRUE(q.post(noDialUp, start));
    EXPECT_FALSE(q.post(noFile, start.addSecs(1))) << "the first message is not overwritten within a second";
    EXPECT_EQ(q.shown(), noDialUp);
    EXPECT_EQ(q.nextChange(), start.addSecs(5));
    EXPECT_FALSE(q.advance(start.addMSecs(4999)));
    EXPECT_TRUE(q.advance(start.addSecs(5)));
    EXPECT_EQ(q.shown(), noFile);

    // A clearing waits its turn too, but gives way to a message that follows it; an empty line holds nothing.
    q.post(QString(), start.addSecs(6));
    q.post(noDialUp, start.addSecs(7));
    EXPECT_TRUE(q.advance(start.addSecs(10)));
    EXPECT_EQ(q.shown(), noDialUp);
    q.post(QString(), start.addSecs(15));
    EXPECT_TRUE(q.shown().isEmpty());
    EXPECT_TRUE(q.post(noFile, start.addSecs(16)));
}

TEST(MainTabStatus, ALongMessageIsShortenedAndToldWholeInTheTooltip)
{
    QDateTime now(QDate(2024, 3, 20), QTime(10, 0, 0));
    MainTab tab;
    tab.setClock([&now] { return now; });
    tab.resize(420, 400);
    tab.show();
    auto* line = child<TLabel3D>(tab, "lblStatusBar");
    const QString longText = QStringLiteral("The desktop has no notification area, so the main window stays open "
                                            "and the icon waits until a panel with one starts.");
    tab.renderStatusLine(longText);
    EXPECT_TRUE(line->shownText().endsWith(QChar(0x2026))) << qPrintable(line->shownText());
    EXPECT_LE(line->fontMetrics().horizontalAdvance(line->shownText()), line->contentsRect().width());
    EXPECT_EQ(line->toolTip(), longText);
    EXPECT_LE(tab.sizeHint().width(), 600) << "a long message does not widen the window";

    tab.renderStatusLine(noFile);
    EXPECT_EQ(line->text(), longText);
    now = now.addSecs(5);
    tab.render(TrackerView());
    EXPECT_EQ(line->text(), noFile) << "the next tick after five seconds shows the next message";
    now = now.addSecs(5);
    tab.renderStatusLine(QString());
    EXPECT_EQ(line->toolTip(), MainTab::statusLineHint);
}

TEST(MainTabStatus, StopDownSaysThatRecordingIsPaused)
{
    MainTab tab;
    TrackerView online;
    online.link = TrackerView::Link::Online;
    online.onlineDots = 2;
    tab.render(online);
    tab.renderStopped(true);
    auto* word = child<QLabel>(tab, "lblOnlineStatus");
    EXPECT_EQ(word->text(), QLatin1Char(' ') + MainTab::pausedWord);
    EXPECT_EQ(child<TLabel3D>(tab, "lblStatusBar")->text(), MainTab::pausedText);
    EXPECT_GE(word->width(), word->fontMetrics().horizontalAdvance(word->text()));
    tab.renderStopped(false);
    EXPECT_EQ(word->text(), QStringLiteral(" Online.."));
    EXPECT_TRUE(child<TLabel3D>(tab, "lblStatusBar")->text().isEmpty());
}

TEST(MainTabStatus, TheHandTestingLabelsAreWrittenFromTheTrackersFigures)
{
    MainTab tab;
    TrackerView view;
    auto text = [&tab](const char* name) { return child<QLabel>(tab, name)->text(); };
    view.testCurMin = 5;
    view.testCurMinPadded = true;
    view.testFilePointer = 3;
    view.testUsedTimeState = TrackerView::UsedTimeLabel::Cleared;
    tab.render(view);
    EXPECT_EQ(text("lblTest_CurMin"), QStringLiteral("Current minute : 05"));
    EXPECT_EQ(text("lblTest_FilePointer"), QStringLiteral("Next file pointer : 3"));
    EXPECT_EQ(text("lblTest_UsedTimeNPrevMin"), QStringLiteral("Used Time , Previous Min : "));

    view.testCurMinPadded = false;
    view.testUsedTimeState = TrackerView::UsedTimeLabel::Figures;
    view.testUsedTime = 65;
    view.testPrevMin = 7;
    tab.render(view);
    EXPECT_EQ(text("lblTest_CurMin"), QStringLiteral("Current minute : 5"));
    EXPECT_EQ(text("lblTest_UsedTimeNPrevMin"), QStringLiteral("Used Time , Previous Min : 65,7"));
}

} // namespace
