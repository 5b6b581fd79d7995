#include "config/config_file.h"

#include <gtest/gtest.h>

namespace lanzhi {
namespace {

TEST(RunDirectory, CutsTheModulePathAtTheLastBackslash) {
  EXPECT_EQ(RunDirectoryOf("C:\\Tools\\clicker.exe"), "C:\\Tools");
  EXPECT_EQ(RunDirectoryOf("C:\\a\\b\\c.exe"), "C:\\a\\b");
  EXPECT_EQ(RunDirectoryOf("C:\\clicker.exe"), "C:");
  EXPECT_EQ(RunDirectoryOf("clicker.exe"), "");
}

TEST(RunDirectory, KeepsPathsLongerThanMaxPathWhole) {
  std::string dir = "C:";
  while (dir.size() < 600) dir += "\\" + std::string(40, 'd');
  EXPECT_EQ(RunDirectoryOf(dir + "\\clicker.exe"), dir);
}


TEST(ConfigPath, JoinsWithExactlyOneBackslash) {
  EXPECT_EQ(ConfigPathIn("C:"), "C:\\岚指智能鼠标点击器.ini");
  EXPECT_EQ(ConfigPathIn("C:\\Tools"), "C:\\Tools\\岚指智能鼠标点击器.ini");
  EXPECT_EQ(ConfigPathIn(RunDirectoryOf("C:\\clicker.exe")), "C:\\岚指智能鼠标点击器.ini");
}

TEST(StripLeadingControls, DropsBytesOneToThirtyTwoFromTheFrontOnly) {
  EXPECT_EQ(StripLeadingControls("  \t\x01\x1F key "), "key ");
  EXPECT_EQ(StripLeadingControls("\x20\x21"), "\x21");
  EXPECT_EQ(StripLeadingControls("   "), "");
  EXPECT_EQ(StripLeadingControls("是"), "是");  // GBK bytes are above 32
}

}  // namespace
}  // namespace lanzhi
