# Each subsystem folder holds two kinds of source:
#   *.cpp          standard C++ only, built into lw_<name>_core (no Qt on its include path)
#   qt/*.cpp       Qt Widgets windows, built into lw_<name>_qt
# Sources are collected by glob so that adding a file needs no edit here.

# Headers that nearly every window source or test parses. Each kind is compiled
# once into a precompiled header by the first target that asks for it and reused
# by every later one (their compile flags are the same).
set(LW_PCH_QT <QApplication> <QWidget> <QMainWindow> <QDialog> <QLineEdit> <QLabel>
  <QComboBox> <QPushButton> <QAction> <QMenu> <QMenuBar> <QTimer> <QPointer>
  <QKeyEvent> <QMouseEvent> <QPainter> <QPixmap> <QImage> <QFontMetricsF>
  <algorithm> <array> <functional> <memory> <optional> <string> <vector>)
set(LW_PCH_TEST <gtest/gtest.h> <algorithm> <filesystem> <fstream> <functional> <limits>
  <map> <memory> <set> <sstream> <string> <vector>)
set(LW_PCH_QT_TEST ${LW_PCH_TEST} ${LW_PCH_QT})

function(lw_shared_pch target kind)
  get_property(host GLOBAL PROPERTY LW_PCH_HOST_${kind})
  if(host)
    target_precompile_headers(${target} REUSE_FROM ${host})
  else()
    target_precompile_headers(${target} PRIVATE ${LW_PCH_${kind}})
    set_property(GLOBAL PROPERTY LW_PCH_HOST_${kind} ${target})
  endif()
endfunction()

# Test code is optimised lightly and keeps line tables only: enough for a
# backtrace, and half the compiling of the program's own flags. The time its
# runs take is spent in the program's libraries.
function(lw_test_target target kind)
  target_compile_options(${target} PRIVATE "$<$<CONFIG:RelWithDebInfo>:-O1;-g1>")
  lw_shared_pch(${target} ${kind})
endfunction()

function(lw_core_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(srcs)
    add_library(lw_${name}_core STATIC ${srcs})
  else()
    add_library(lw_${name}_core INTERFACE)
  endif()
  get_target_property(kind lw_${name}_core TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(lw_${name}_core INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(lw_${name}_core INTERFACE ${ARG_DEPS})
  else()
    target_include_directories(lw_${name}_core PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(lw_${name}_core PUBLIC ${ARG_DEPS})
  endif()
endfunction()

function(lw_qt_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/qt/*.cpp)
  file(GLOB hdrs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/qt/*.h)
  if(srcs)
    add_library(lw_${name}_qt STATIC ${srcs} ${hdrs})
    set_target_properties(lw_${name}_qt PROPERTIES AUTOMOC ON)
    target_include_directories(lw_${name}_qt PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(lw_${name}_qt PUBLIC ${ARG_DEPS}
      Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport)
    lw_shared_pch(lw_${name}_qt QT)
  else()
    add_library(lw_${name}_qt INTERFACE)
    target_link_libraries(lw_${name}_qt INTERFACE ${ARG_DEPS}
      Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport)
  endif()
endfunction()

# One GoogleTest executable per test source file (test_<folder>_<file>), so a
# fault in one file never stops the others from building.
function(lw_test_folder name)
  cmake_parse_arguments(ARG "QT" "DIR" "DEPS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${name})
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DIR}/*.cpp)
  foreach(src ${srcs})
    get_filename_component(base ${src} NAME_WE)
    set(target test_${name}_${base})
    add_executable(${target} ${src})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${target} PRIVATE ${ARG_DEPS} lw_testsupport GTest::gtest GTest::gmock)
    if(LW_SANITIZE)
      target_link_libraries(${target} PRIVATE lw_sanitizer_defaults)
    endif()
    if(ARG_QT)
      set_target_properties(${target} PROPERTIES AUTOMOC ON)
      # Nearly always empty: loading the header would cost more than it saves.
      set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
        PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
      target_link_libraries(${target} PRIVATE lw_testsupport_qt)
      lw_test_target(${target} QT_TEST)
    else()
      target_link_libraries(${target} PRIVATE GTest::gtest_main)
      lw_test_target(${target} TEST)
    endif()
    # The window tests' main() sets their display, fonts and locale itself.
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
  endforeach()
endfunction()
