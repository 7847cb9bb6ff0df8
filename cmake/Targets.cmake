# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# How every target of the project is built: the compile and link options each one takes, and the
# one way a folder under src/ becomes its library.

# Warnings, the sanitizers, hardening and the linker, attached to each target rather than set for
# the whole directory tree.
add_library(mirabosc_flags INTERFACE)
target_compile_options(mirabosc_flags INTERFACE -Wall -Wextra -Wpedantic)
if(MIRABOSC_SANITIZE)
  target_compile_options(mirabosc_flags INTERFACE -fsanitize=address,undefined
                         -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(mirabosc_flags INTERFACE -fsanitize=address,undefined)
endif()
# The fuzz targets' libFuzzer needs every library it reaches instrumented for coverage; the fuzz
# targets themselves add libFuzzer's main.
if(MIRABOSC_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang" OR NOT MIRABOSC_SANITIZE)
    message(FATAL_ERROR "MIRABOSC_FUZZ needs clang (CXX=clang++) and MIRABOSC_SANITIZE=ON: "
                        "libFuzzer is part of clang")
  endif()
  target_compile_options(mirabosc_flags INTERFACE -fsanitize=fuzzer-no-link)
  target_link_options(mirabosc_flags INTERFACE -fsanitize=fuzzer-no-link)
endif()

# mirabosc_library(NAME [QOBJECTS] SOURCES...): src/NAME as the static library mirabosc_NAME. Its
# sources are named one by one (a missing one stops the configuration); its includes name their
# folder, as "sets/SetFolder.h". QOBJECTS: some of its classes need moc (Q_OBJECT). moc runs
# only there (CMAKE_AUTOMOC is left off), so no other target has its step and the empty file it
# would compile.
function(mirabosc_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "QOBJECTS" "" "")
  set(target mirabosc_${name})
  add_library(${target} STATIC ${arg_UNPARSED_ARGUMENTS})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PRIVATE mirabosc_flags)
  if(arg_QOBJECTS)
    # moc needs nothing that other targets make: without this, its step waits for what it links.
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTOGEN_ORIGIN_DEPENDS OFF)
  endif()
endfunction()

# mirabosc_program(NAME SOURCES...): one of the installed programs, beside build/assets.
function(mirabosc_program name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE mirabosc_flags)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
endfunction()
