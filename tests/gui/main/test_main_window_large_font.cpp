// The main window with fonts half as large again (QT_FONT_DPI=144, set by the test's environment) on an
// 800 × 600 screen: it takes its size from its layout, stays within the screen's available area, and the
// status line at its bottom is whole.
#include "core/Recorder.h"
#include "gui/main/MainTab.h"
#include "gui/main/TfrmMain.h"
#include "gui/widgets/TLabel3D.h"
#include "settings/Settings.h"
#include "tests/gui/FindChild.h"
#include "tests/support/TestPlatform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

TEST(MainWindowLargeFont, FitsTheScreenAndShowsTheWholeStatusLine)
{
    ASSERT_EQ(qgetenv("QT_FONT_DPI"), QByteArray("144"));
    TestPlatform tp;
    Settings settings(*tp.platform.settings);
    Recorder recorder(tp.platform, settings, tp.programDir(), QStringList());
    recorder.load();
    TfrmMain window(tp.platform, recorder, settings);
    recorder.start();
    recorder.showStatusLine(QStringLiteral("Cannot create shell notification icon"));
    ASSERT_TRUE(window.isVisible());

    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    qInfo("screen %dx%d, window asks %dx%d (least %dx%d), is %dx%d", available.width(), available.height(),
          window.sizeHint().width(), window.sizeHint().height(), window.minimumSizeHint().width(),
          window.minimumSizeHint().height(), window.width(), window.height());
    EXPECT_TRUE(available.contains(window.frameGeometry()));

    const TLabel3D* status = child<TLabel3D>(window, "lblStatusBar");
    const QRect shown(status->mapTo(&window, QPoint(0, 0)), status->size());
    EXPECT_TRUE(window.rect().contains(shown)) << shown.y() << "+" << shown.height() << " in " << window.height();
    EXPECT_GE(status->height(), status->sizeHint().height());
}

} // namespace
