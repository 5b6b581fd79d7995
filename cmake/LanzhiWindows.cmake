# The program itself: the Win32 shell around the portable core.
enable_language(RC)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(LANZHI_ICON ${CMAKE_BINARY_DIR}/resources/app.ico)
add_custom_command(
  OUTPUT ${LANZHI_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/resources
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/make_icon.py
          ${CMAKE_SOURCE_DIR}/app/resources/icon.txt ${LANZHI_ICON}
  DEPENDS ${CMAKE_SOURCE_DIR}/app/resources/icon.txt ${CMAKE_SOURCE_DIR}/scripts/make_icon.py
  COMMENT "Drawing the application icon")
add_custom_target(lanzhi_icon DEPENDS ${LANZHI_ICON})

# The Win32 side of each subsystem, shared by the program and its Windows-level tests.
add_library(lanzhi_win32 STATIC
  config/config_file_win32.cpp
  config/messages_win32.cpp
  clicker/mouse_win32.cpp
  clicker/hotkeys_win32.cpp
  app/controls_win32.cpp
  app/dll_search_win32.cpp
  app/main_window.cpp
)
target_link_libraries(lanzhi_win32 PUBLIC lanzhi_core comctl32 shell32 user32 gdi32 imm32)
target_compile_definitions(lanzhi_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)
target_compile_definitions(lanzhi_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)

add_executable(lanzhi_clicker WIN32 app/main.cpp app/resources/app.rc)
if(MINGW)
  target_sources(lanzhi_clicker PRIVATE app/load_config.cpp app/lean_runtime.cpp)
elseif(MSVC)
  # MSVC's runtime has its own load configuration; the linker sets the flags.
  target_link_options(lanzhi_clicker PRIVATE /DEPENDENTLOADFLAG:0x800)
endif()
add_dependencies(lanzhi_clicker lanzhi_icon)
set_target_properties(lanzhi_clicker PROPERTIES OUTPUT_NAME "岚指智能鼠标点击器")
# windres looks for app.ico and app.manifest beside the .rc and in these folders.
target_include_directories(lanzhi_clicker PRIVATE ${CMAKE_BINARY_DIR}/resources ${CMAKE_SOURCE_DIR}/app/resources)
target_link_libraries(lanzhi_clicker PRIVATE lanzhi_win32)
if(MINGW)
  # The manifest comes from app.rc; no default one from the toolchain.
  target_link_options(lanzhi_clicker PRIVATE -mwindows)
  # Unused sections dropped, symbols stripped, and no link time stamp in the
  # headers: the same commit gives the same bytes.
  target_link_options(lanzhi_clicker PRIVATE -Wl,--gc-sections -s -Wl,--no-insert-timestamp)
  # The load configuration: kept by the link, and the image's directory
  # pointed at it afterwards (binutils leaves that entry empty).
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(_load_config_symbol _load_config_used)
  else()
    set(_load_config_symbol __load_config_used)
  endif()
  set(_map ${CMAKE_BINARY_DIR}/lanzhi_clicker.map)
  target_link_options(lanzhi_clicker PRIVATE -Wl,--undefined=${_load_config_symbol} -Wl,-Map=${_map})
  add_custom_command(TARGET lanzhi_clicker POST_BUILD
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/set_load_config.py $<TARGET_FILE:lanzhi_clicker> ${_map}
    VERBATIM)
endif()

# The package users download: the program, the README, a sample configuration
# and the program's checksum.
#   cmake --build --preset windows --target package
set(LANZHI_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
set(LANZHI_SAMPLE_INI ${LANZHI_PACKAGE_DIR}/配置示例.ini)
add_custom_command(
  OUTPUT ${LANZHI_SAMPLE_INI}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LANZHI_PACKAGE_DIR}
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/make_sample_ini.py
          ${CMAKE_SOURCE_DIR}/app/resources/sample.ini ${LANZHI_SAMPLE_INI}
  DEPENDS ${CMAKE_SOURCE_DIR}/app/resources/sample.ini ${CMAKE_SOURCE_DIR}/scripts/make_sample_ini.py
  COMMENT "Writing the sample configuration (GBK, CRLF)")
add_custom_target(lanzhi_sample_ini ALL DEPENDS ${LANZHI_SAMPLE_INI})
add_custom_command(TARGET lanzhi_clicker POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LANZHI_PACKAGE_DIR}
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:lanzhi_clicker> -DOUTPUT=${LANZHI_PACKAGE_DIR}/SHA256SUMS
          -P ${CMAKE_SOURCE_DIR}/scripts/write_sha256sums.cmake
  VERBATIM)

install(TARGETS lanzhi_clicker RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${LANZHI_SAMPLE_INI} ${LANZHI_PACKAGE_DIR}/SHA256SUMS DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME lanzhi-clicker)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(CPACK_PACKAGE_FILE_NAME lanzhi-clicker-${PROJECT_VERSION}-win64)
else()
  set(CPACK_PACKAGE_FILE_NAME lanzhi-clicker-${PROJECT_VERSION}-win32)
endif()
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
