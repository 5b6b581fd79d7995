# Cross build for Windows with MinGW-w64 (posix thread model); the test
# programs run under Wine through the project's runner. Included by the
# toolchain file of each processor, which sets LANZHI_MINGW_TRIPLET.
set(CMAKE_SYSTEM_NAME Windows)
set(_triplet ${LANZHI_MINGW_TRIPLET})
find_program(LANZHI_MINGW_CXX ${_triplet}-g++-posix)
find_program(LANZHI_MINGW_CC ${_triplet}-gcc-posix)
find_program(LANZHI_MINGW_RC ${_triplet}-windres)
foreach(_tool LANZHI_MINGW_CXX LANZHI_MINGW_CC LANZHI_MINGW_RC)
  if(NOT ${_tool})
    message(FATAL_ERROR "${_tool}: the MinGW-w64 tool ${_triplet} is not installed "
                        "(run scripts/bootstrap.sh)")
  endif()
endforeach()

set(CMAKE_CXX_COMPILER ${LANZHI_MINGW_CXX})
set(CMAKE_C_COMPILER ${LANZHI_MINGW_CC})
set(CMAKE_RC_COMPILER ${LANZHI_MINGW_RC})
set(CMAKE_FIND_ROOT_PATH /usr/${_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# One self-contained executable: no libgcc/libstdc++/winpthread DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

get_filename_component(_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
find_program(LANZHI_WINE wine)
if(NOT LANZHI_WINE)
  message(FATAL_ERROR "wine is not installed (run scripts/bootstrap.sh)")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${_root}/scripts/wine-run.sh)
