// The program's first step restricts the DLL search: a DLL that lies beside
// the executable and is loaded by name is no longer found there. Run in a
// test program of its own, as the restriction holds for the whole process.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/dll_search.h"

namespace {

TEST(DllSearch, ADllBesideTheProgramLoadsBeforeTheRestrictionAndNotAfter) {
  // lanzhi_planted.dll is built beside this test program.
  HMODULE before = LoadLibraryW(L"lanzhi_planted.dll");
  ASSERT_NE(before, nullptr) << "the planted DLL must load from the program's folder first";
  ASSERT_TRUE(FreeLibrary(before));
  ASSERT_EQ(GetModuleHandleW(L"lanzhi_planted.dll"), nullptr) << "still loaded: the next load would not search";

  lanzhi::RestrictDllSearch();

  HMODULE after = LoadLibraryW(L"lanzhi_planted.dll");
  EXPECT_EQ(after, nullptr) << "loaded from the program's folder after the restriction";
  if (after != nullptr) FreeLibrary(after);
  // DLLs of the system still load by name.
  HMODULE system = LoadLibraryW(L"version.dll");
  EXPECT_NE(system, nullptr);
  if (system != nullptr) FreeLibrary(system);
}

}  // namespace
