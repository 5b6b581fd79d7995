# A 64-bit build of the same sources, for running the Windows-level tests on
# machines whose kernel cannot execute 32-bit code (wine64 only).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LANZHI_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
