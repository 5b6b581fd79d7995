#include "config/config_file.h"

#include <gtest/gtest.h>

namespace lanzhi {
namespace {

TEST(RunDirectory, CutsTheModulePathAtTheLastBackslash) {
  EXPECT_EQ(RunDirectoryOf(L"C:\\Tools\\clicker.exe"), L"C:\\Tools");
  EXPECT_EQ(RunDirectoryOf(L"C:\\a\\b\\c.exe"), L"C:\\a\\b");
  EXPECT_EQ(RunDirectoryOf(L"C:\\clicker.exe"), L"C:");
  EXPECT_EQ(RunDirectoryOf(L"clicker.exe"), L"");
  // Names whose GBK form holds a 0x5C trail byte, or that have no GBK form.
  EXPECT_EQ(RunDirectoryOf(L"D:\\\u4E57\\\u4E57\u70B9\u51FB\u5668.exe"), L"D:\\\u4E57");
  EXPECT_EQ(RunDirectoryOf(L"C:\\Users\\Kullan\u0131c\u0131\\x.exe"), L"C:\\Users\\Kullan\u0131c\u0131");
}

TEST(RunDirectory, KeepsPathsLongerThanMaxPathWhole) {
  std::wstring dir = L"C:";
  while (dir.size() < 600) dir += L"\\" + std::wstring(40, L'd');
  EXPECT_EQ(RunDirectoryOf(dir + L"\\clicker.exe"), dir);
}

TEST(StripLeadingControls, DropsBytesOneToThirtyTwoFromTheFrontOnly) {
  EXPECT_EQ(StripLeadingControls("  \t\x01\x1F key "), "key ");
  EXPECT_EQ(StripLeadingControls("\x20\x21"), "\x21");
  EXPECT_EQ(StripLeadingControls("   "), "");
  EXPECT_EQ(StripLeadingControls("是"), "是");  // GBK bytes are above 32
}

}  // namespace
}  // namespace lanzhi
