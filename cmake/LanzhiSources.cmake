# Portable sources: no windows.h, built natively for the tests and into the program.
set(LANZHI_CORE_SOURCES
  ${CMAKE_SOURCE_DIR}/config/text_number.cpp
  ${CMAKE_SOURCE_DIR}/config/config_file.cpp
  ${CMAKE_SOURCE_DIR}/config/messages.cpp
  ${CMAKE_SOURCE_DIR}/app/controls.cpp
  ${CMAKE_SOURCE_DIR}/clicker/mouse.cpp
  ${CMAKE_SOURCE_DIR}/clicker/hotkeys.cpp
  ${CMAKE_SOURCE_DIR}/clicker/targets.cpp
  ${CMAKE_SOURCE_DIR}/clicker/click_loop.cpp
)
