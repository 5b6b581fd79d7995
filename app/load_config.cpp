// The image's load configuration. Its one non-zero field, DependentLoadFlags,
// makes Windows (10 1607 and later) resolve the DLLs that this program's
// imports import in turn from System32 only, never from the program's own
// folder: a program that asks for administrator rights and runs from a
// download folder must not load a planted "version.dll" or "dwmapi.dll".
//
// The structure holds the fields up to DependentLoadFlags and no more, and
// Size says so. binutils leaves the image's load-configuration directory
// empty; scripts/set_load_config.py points it here after the link.
#include <windows.h>

#include <cstddef>

namespace {

#if defined(_WIN64)
using Pointer = ULONGLONG;
#else
using Pointer = DWORD;
#endif

// The leading fields of IMAGE_LOAD_CONFIG_DIRECTORY32/64, in their layout.
struct LoadConfig {
  DWORD Size;
  DWORD TimeDateStamp;
  WORD MajorVersion;
  WORD MinorVersion;
  DWORD GlobalFlagsClear;
  DWORD GlobalFlagsSet;
  DWORD CriticalSectionDefaultTimeout;
  Pointer DeCommitFreeBlockThreshold;
  Pointer DeCommitTotalFreeThreshold;
  Pointer LockPrefixTable;
  Pointer MaximumAllocationSize;
  Pointer VirtualMemoryThreshold;
#if defined(_WIN64)
  Pointer ProcessAffinityMask;
  DWORD ProcessHeapFlags;
#else
  DWORD ProcessHeapFlags;
  Pointer ProcessAffinityMask;
#endif
  WORD CSDVersion;
  WORD DependentLoadFlags;
};

#if defined(_WIN64)
static_assert(offsetof(LoadConfig, DependentLoadFlags) == 0x4E && sizeof(LoadConfig) == 0x50);
#else
static_assert(offsetof(LoadConfig, DependentLoadFlags) == 0x36 && sizeof(LoadConfig) == 0x38);
#endif

}  // namespace

extern "C" {
// The name the linker and the loader know the structure by.
extern const LoadConfig _load_config_used;
const LoadConfig _load_config_used = {
    sizeof(LoadConfig), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, LOAD_LIBRARY_SEARCH_SYSTEM32,
};
}
