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
  app/main_window.cpp
)
target_link_libraries(lanzhi_win32 PUBLIC lanzhi_core comctl32 shell32 user32 gdi32)
target_compile_definitions(lanzhi_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)
target_compile_definitions(lanzhi_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)

add_executable(lanzhi_clicker WIN32 app/main.cpp app/resources/app.rc)
add_dependencies(lanzhi_clicker lanzhi_icon)
set_target_properties(lanzhi_clicker PROPERTIES OUTPUT_NAME "岚指智能鼠标点击器")
# windres looks for app.ico and app.manifest beside the .rc and in these folders.
target_include_directories(lanzhi_clicker PRIVATE ${CMAKE_BINARY_DIR}/resources ${CMAKE_SOURCE_DIR}/app/resources)
target_link_libraries(lanzhi_clicker PRIVATE lanzhi_win32)
if(MINGW)
  # The manifest comes from app.rc; no default one from the toolchain.
  target_link_options(lanzhi_clicker PRIVATE -mwindows)
endif()
