// On a 1920 x 1080 screen the window is centred as well.
#include <gtest/gtest.h>

#include "harness.h"

TEST(MainWindow, IsCentredOnALargeScreen) {
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
  harness::App app;
  ASSERT_TRUE(app.Start());
  const RECT r = harness::ScreenRect(app.Window());
  EXPECT_EQ(r.left, 825);
  EXPECT_EQ(r.top, 455);
  EXPECT_EQ(r.right - r.left, 269);
  EXPECT_EQ(r.bottom - r.top, 170);
  EXPECT_EQ(app.Close(), 0u);
}
