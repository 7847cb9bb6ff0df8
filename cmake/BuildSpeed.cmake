# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Build speed: precompiled Qt headers, a faster linker, lighter debug info in the sanitized tree,
# and a second tree that takes the default assets and artwork of a first one instead of redrawing.

option(MIRABOSC_PCH "Precompile the Qt and standard headers that most sources include" ON)
set(MIRABOSC_GENERATED_FROM "" CACHE PATH
    "A build tree of these same sources whose default assets and embedded artwork this tree uses \
instead of making its own (./test.sh passes its first tree to the sanitized one)")

# lld links the test programs several times faster than the default linker; gold is next best.
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=lld MIRABOSC_HAVE_LLD)
if(MIRABOSC_HAVE_LLD)
  target_link_options(mirabosc_flags INTERFACE -fuse-ld=lld)
else()
  check_linker_flag(CXX -fuse-ld=gold MIRABOSC_HAVE_GOLD)
  if(MIRABOSC_HAVE_GOLD)
    target_link_options(mirabosc_flags INTERFACE -fuse-ld=gold)
  endif()
endif()

# A tree built to run the test suite needs line tables for its stack traces, not full debug
# information, which costs a fifth of the compile (./test.sh turns this on).
option(MIRABOSC_LINE_TABLES "Debug information limited to line tables" OFF)
if(MIRABOSC_LINE_TABLES)
  target_compile_options(mirabosc_flags INTERFACE $<$<CONFIG:RelWithDebInfo,Debug>:-g1>)
endif()

# The sanitized tree is for running the suite, not for stepping through in a debugger, and line
# tables are enough for its stack traces. It compiles unoptimized, in half the time of -O1, except
# the libraries whose loops carry the suite's time (decoding pictures and sounds, making voices
# from takes), which take -O1, the level the sanitizers are made for.
set(MIRABOSC_OPTIMIZED $<CONFIG:RelWithDebInfo,Release,MinSizeRel>)
set(MIRABOSC_SANITIZED_HOT_LIBRARIES mirabosc_pictures mirabosc_audio mirabosc_takes)
if(MIRABOSC_SANITIZE)
  # Decided by the name of the target being compiled; none of these libraries reuses a set of
  # precompiled headers, whose level must match its users'.
  string(JOIN "$<SEMICOLON>" hot ${MIRABOSC_SANITIZED_HOT_LIBRARIES})
  target_compile_options(mirabosc_flags INTERFACE
      "$<${MIRABOSC_OPTIMIZED}:$<IF:$<IN_LIST:$<TARGET_PROPERTY:NAME>,${hot}>,-O1,-O0>>")
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(mirabosc_flags INTERFACE -g1)
  elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(mirabosc_flags INTERFACE -gline-tables-only)
  endif()
endif()

# The folder that holds the generated default assets and artwork: this tree, or the one given.
set(MIRABOSC_GENERATED_DIR ${CMAKE_BINARY_DIR})
if(MIRABOSC_GENERATED_FROM)
  get_filename_component(MIRABOSC_GENERATED_DIR ${MIRABOSC_GENERATED_FROM} ABSOLUTE)
  set(cache ${MIRABOSC_GENERATED_DIR}/CMakeCache.txt)
  if(EXISTS ${cache})
    file(STRINGS ${cache} home REGEX "^CMAKE_HOME_DIRECTORY:")
    string(REGEX REPLACE "^[^=]*=" "" home "${home}")
  endif()
  if(NOT EXISTS ${cache} OR NOT home STREQUAL CMAKE_SOURCE_DIR)
    message(FATAL_ERROR "MIRABOSC_GENERATED_FROM: ${MIRABOSC_GENERATED_DIR} is not a build tree "
                        "of ${CMAKE_SOURCE_DIR}")
  endif()
  if(NOT IS_DIRECTORY ${MIRABOSC_GENERATED_DIR}/assets
     OR NOT IS_DIRECTORY ${MIRABOSC_GENERATED_DIR}/resources/art)
    message(FATAL_ERROR "MIRABOSC_GENERATED_FROM: build ${MIRABOSC_GENERATED_DIR} first")
  endif()
  message(STATUS "Default assets and artwork taken from ${MIRABOSC_GENERATED_DIR}")
  # Programs that find the default set beside themselves (the recorder, the checker) find it here.
  if(NOT EXISTS ${CMAKE_BINARY_DIR}/assets)
    file(CREATE_LINK ${MIRABOSC_GENERATED_DIR}/assets ${CMAKE_BINARY_DIR}/assets SYMBOLIC)
  endif()
endif()

# What the libraries and programs include most; the widget-free ones take the first part, the
# tests add Qt Test.
set(MIRABOSC_PCH_GUI
    <QByteArray> <QColor> <QDir> <QFile> <QImage> <QObject> <QPainter> <QPainterPath> <QString>
    <QStringList> <algorithm> <array> <cmath> <cstdint> <functional> <memory> <vector>)
set(MIRABOSC_PCH_WIDGETS ${MIRABOSC_PCH_GUI}
    <QApplication> <QLabel> <QMessageBox> <QMouseEvent> <QPushButton> <QTimer> <QWidget>)
set(MIRABOSC_PCH_TESTS ${MIRABOSC_PCH_WIDGETS} <QtTest> <QTemporaryDir> <QProcess>)

# mirabosc_precompile(TARGET [GUI|TESTS]): TARGET, which links Qt Widgets (Qt Gui alone with GUI,
# Qt Test too with TESTS), reuses headers precompiled once. They are compiled by a target of
# their own, made on first use, with only the flags every target has; a target that adds flags
# or definitions that change those headers fails to build (-Werror=invalid-pch) instead of
# silently compiling without them.
function(mirabosc_precompile target)
  if(NOT MIRABOSC_PCH)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 arg "GUI;TESTS" "" "")
  # The sanitized tree's -O1 libraries would not match headers precompiled without optimization.
  if(MIRABOSC_SANITIZE AND target IN_LIST MIRABOSC_SANITIZED_HOT_LIBRARIES)
    return()
  endif()
  # Batched sources (a unity build) give the widget-free libraries too few files to pay for a
  # set of precompiled headers of their own.
  if(arg_GUI AND CMAKE_UNITY_BUILD)
    return()
  endif()
  if(arg_TESTS)
    # Qt Test defines the test's folders: the owner must live in the same directory.
    string(MD5 key ${CMAKE_CURRENT_SOURCE_DIR})
    string(SUBSTRING ${key} 0 8 key)
    set(owner mirabosc_pch_tests_${key})
    set(headers ${MIRABOSC_PCH_TESTS})
    set(libraries Qt6::Widgets Qt6::Test)
  elseif(arg_GUI)
    set(owner mirabosc_pch_gui)
    set(headers ${MIRABOSC_PCH_GUI})
    set(libraries Qt6::Gui)
  else()
    set(owner mirabosc_pch_widgets)
    set(headers ${MIRABOSC_PCH_WIDGETS})
    set(libraries Qt6::Widgets)
  endif()
  if(NOT TARGET ${owner})
    set(source ${CMAKE_BINARY_DIR}/pch/${owner}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "// Compiles the shared precompiled headers.\n")
    add_library(${owner} OBJECT ${source})
    target_link_libraries(${owner} PRIVATE ${libraries} mirabosc_flags)
    target_precompile_headers(${owner} PRIVATE ${headers})
    if(arg_TESTS)
      target_compile_options(${owner} PRIVATE $<${MIRABOSC_OPTIMIZED}:-O1>)
    endif()
  endif()
  target_precompile_headers(${target} REUSE_FROM ${owner})
  target_compile_options(${target} PRIVATE -Winvalid-pch -Werror=invalid-pch)
endfunction()
