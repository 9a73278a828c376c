// The display platform: a Wayland session with XWayland runs the program on X, unless the user chose.
#include "app/DisplayPlatform.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayPlatform, AWaylandSessionWithXWaylandRunsOnX)
{
    EXPECT_EQ(DisplayPlatform::choose("wayland-0", ":0", ""), QByteArray("xcb"));
}

TEST(DisplayPlatform, TheUsersChoiceStands)
{
    EXPECT_EQ(DisplayPlatform::choose("wayland-0", ":0", "wayland"), QByteArray());
    EXPECT_EQ(DisplayPlatform::choose("wayland-0", ":0", "offscreen"), QByteArray());
}

TEST(DisplayPlatform, WithoutXWaylandOrOutsideWaylandTheToolkitChooses)
{
    EXPECT_EQ(DisplayPlatform::choose("wayland-0", "", ""), QByteArray());
    EXPECT_EQ(DisplayPlatform::choose("", ":0", ""), QByteArray());
    EXPECT_EQ(DisplayPlatform::choose("", "", ""), QByteArray());
}

TEST(DisplayPlatform, TheChoiceIsMadeThroughTheEnvironment)
{
    qputenv("WAYLAND_DISPLAY", "wayland-1");
    qputenv("DISPLAY", ":5");
    qunsetenv("QT_QPA_PLATFORM");
    DisplayPlatform::chooseForThisProcess();
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), QByteArray("xcb"));

    qputenv("QT_QPA_PLATFORM", "wayland");
    DisplayPlatform::chooseForThisProcess();
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), QByteArray("wayland"));
}

} // namespace
