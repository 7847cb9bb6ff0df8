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
  add_link_options(-fuse-ld=lld)
else()
  check_linker_flag(CXX -fuse-ld=gold MIRABOSC_HAVE_GOLD)
  if(MIRABOSC_HAVE_GOLD)
    add_link_options(-fuse-ld=gold)
  endif()
endif()

# The sanitized tree is for running the suite, not for stepping through in a debugger: -O1 is
# the level the sanitizers are made for, and line tables are enough for their stack traces;
# both compile in about half the time of -O2 -g.
set(MIRABOSC_OPTIMIZED $<CONFIG:RelWithDebInfo,Release,MinSizeRel>)
if(MIRABOSC_SANITIZE)
  add_compile_options($<${MIRABOSC_OPTIMIZED}:-O1>)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-g1)
  elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    add_compile_options(-gline-tables-only)
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

# What the program's library and its programs include most; the tests add Qt Test.
set(MIRABOSC_PCH_WIDGETS
    <QByteArray> <QColor> <QDir> <QFile> <QImage> <QObject> <QPainter> <QPainterPath> <QString>
    <QStringList> <algorithm> <array> <cmath> <cstdint> <functional> <memory> <vector>
    <QApplication> <QLabel> <QMessageBox> <QMouseEvent> <QPushButton> <QTimer> <QWidget>)
set(MIRABOSC_PCH_TESTS ${MIRABOSC_PCH_WIDGETS} <QtTest> <QTemporaryDir> <QProcess>)

# Compiles HEADERS once for the first of TARGETS; the others, built with the same flags, reuse it.
function(mirabosc_share_pch headers)
  if(NOT MIRABOSC_PCH)
    return()
  endif()
  set(owner "")
  foreach(target IN LISTS ARGN)
    if(NOT TARGET ${target})
      continue()
    elseif(owner)
      target_precompile_headers(${target} REUSE_FROM ${owner})
      target_compile_options(${target} PRIVATE -Winvalid-pch)
    else()
      target_precompile_headers(${target} PRIVATE ${${headers}})
      target_compile_options(${target} PRIVATE -Winvalid-pch)
      set(owner ${target})
    endif()
    # Only the library has headers for moc; elsewhere the file that gathers moc's output is
    # empty, and loading the precompiled headers would be most of its cost.
    if(NOT target STREQUAL "mirabosc_core")
      get_target_property(source ${target} SOURCE_DIR)
      get_target_property(binary ${target} BINARY_DIR)
      set_source_files_properties(${binary}/${target}_autogen/mocs_compilation.cpp
          DIRECTORY ${source} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
  endforeach()
endfunction()

# Runs once every target exists: called at the end of the top directory.
function(mirabosc_tune_targets)
  # A reused header must see the same macros as when it was compiled, and may see more: owners
  # come first, with the fewest definitions.
  set(programs mirabosc_core mirabosc mirabosc_testsupport mirabosc_checkrules mirabosc-check
               mirabosc_voices mirabosc_recorder mirabosc-record)
  if(MIRABOSC_BENCH AND EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
    get_property(benches DIRECTORY ${CMAKE_SOURCE_DIR}/bench PROPERTY BUILDSYSTEM_TARGETS)
    list(APPEND programs ${benches})
  endif()
  mirabosc_share_pch(MIRABOSC_PCH_WIDGETS ${programs})
  get_property(tests DIRECTORY ${CMAKE_SOURCE_DIR}/tests PROPERTY BUILDSYSTEM_TARGETS)
  list(FILTER tests INCLUDE REGEX "^tst_")
  mirabosc_share_pch(MIRABOSC_PCH_TESTS ${tests})
  # moc needs nothing that other targets make: without this, a target's moc step waits until all
  # it links is built, and the precompiled headers behind it, so two cores idle along one chain.
  set_target_properties(mirabosc_core ${tests} PROPERTIES AUTOGEN_ORIGIN_DEPENDS OFF)
  # The test programs drive the library; they need not be optimized like it.
  foreach(test IN LISTS tests)
    target_compile_options(${test} PRIVATE $<${MIRABOSC_OPTIMIZED}:-O1>)
  endforeach()
  # Tool and test-support sources compile in batches of eight; they change seldom. A clash of
  # names between two of their files is a reason to set SKIP_UNITY_BUILD_INCLUSION on one. The
  # two generators take no precompiled headers: for two batches each they would not pay, and
  # the artwork generator starts the build's longest chain (artwork, library, tests).
  foreach(target mirabosc-artgen mirabosc-assetgen mirabosc_testsupport)
    if(TARGET ${target})
      set_target_properties(${target} PROPERTIES UNITY_BUILD ON)
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL mirabosc_tune_targets)
