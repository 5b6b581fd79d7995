#include "config/messages.h"

#include <gtest/gtest.h>

namespace lanzhi {
namespace {

TEST(Messages, CatalogueTextsAreTheExactGbkBytes) {
  EXPECT_EQ(kNoticeTitle, "\xE1\xB0\xD6\xB8\xCC\xE1\xCA\xBE\xA3\xBA");
  EXPECT_EQ(kUsageTitle, "\xCA\xB9\xD3\xC3\xCB\xB5\xC3\xF7\xA3\xBA");
  EXPECT_EQ(kDefaultTitle, "\xD0\xC5\xCF\xA2\xA3\xBA");
  // Every title ends with the full-width colon A3 BA.
  for (std::string_view title : {kUsageTitle, kNoticeTitle, kDefaultTitle}) {
    EXPECT_EQ(title.substr(title.size() - 2), "\xA3\xBA");
  }
}

TEST(UsageText, HasFourLinesJoinedByCrLfAndNoTrailingBreak) {
  const std::string text = UsageText();
  const std::string lines[] = {"按键F6或F10启动点击", "按键F7或F11停止点击",
                               "如不需要此提示请修改：岚指智能鼠标点击器.ini"};
  std::size_t at = 0;
  for (const std::string& line : lines) {
    ASSERT_EQ(text.compare(at, line.size(), line), 0) << line;
    at += line.size();
    ASSERT_EQ(text.compare(at, 2, "\r\n"), 0);
    at += 2;
  }
  const std::string last = text.substr(at);
  EXPECT_EQ(last.rfind("使用过程中遇到问题请联系", 0), 0u);
  EXPECT_GT(last.size(), std::string("使用过程中遇到问题请联系").size());
  EXPECT_EQ(last.find('\r'), std::string::npos);
  EXPECT_EQ(last.find('\n'), std::string::npos);
}

TEST(UsageRequested, AsksForTheNoticeWhenTheValueHoldsYes) {
  EXPECT_TRUE(UsageRequested("是"));
  EXPECT_TRUE(UsageRequested("是的"));
  EXPECT_TRUE(UsageRequested(" 是"));
  EXPECT_FALSE(UsageRequested(""));
  EXPECT_FALSE(UsageRequested("否"));
  EXPECT_FALSE(UsageRequested("yes"));
  // C7 CA would be found at offset 1 of CA C7 CA ... by a byte search; the
  // GBK-aware search starts matches only on characters.
  EXPECT_FALSE(UsageRequested("\xB0\xCA\xC7"));
}

TEST(MessageBoxFlags, AddsTaskModalUnlessSystemModal) {
  EXPECT_EQ(MessageBoxFlags(0x0), 0x2000u);
  EXPECT_EQ(MessageBoxFlags(0x30), 0x2030u);      // MB_ICONWARNING
  EXPECT_EQ(MessageBoxFlags(0x1000), 0x1000u);    // MB_SYSTEMMODAL kept alone
  EXPECT_EQ(MessageBoxFlags(0x1004), 0x1004u);
  EXPECT_EQ(MessageBoxFlags(0x2001), 0x2001u);
}

TEST(MessageResult, MapsTheButtonToTheProgramsCode) {
  const int expected[][2] = {{1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 6},
                             {0, 0}, {8, 0}, {10, 0}, {11, 0}, {-1, 0}};
  for (const auto& row : expected) EXPECT_EQ(MessageResult(row[0]), row[1]) << row[0];
}

}  // namespace
}  // namespace lanzhi
