# SPDX-FileCopyrightText: 2026 The Mirabosc contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's hardening for every target of a build that is not sanitized: the flags dpkg-buildflags gives for
# this release (fortified functions, stack protector, format checks, read-only relocations...),
# without its optimization and debug levels, which the build type sets. Where dpkg-buildflags is
# missing, the flags every Debian release since 10 gives.
if(MIRABOSC_SANITIZE)
  # AddressSanitizer checks what fortified functions would, and does not mix with them.
  return()
endif()

find_program(MIRABOSC_DPKG_BUILDFLAGS dpkg-buildflags)
set(MIRABOSC_HARDENING_CPPFLAGS -D_FORTIFY_SOURCE=2)
set(MIRABOSC_HARDENING_CXXFLAGS -fstack-protector-strong -Wformat -Werror=format-security)
set(MIRABOSC_HARDENING_LDFLAGS -Wl,-z,relro)
if(MIRABOSC_DPKG_BUILDFLAGS)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${MIRABOSC_DPKG_BUILDFLAGS} --get ${kind}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    # The build type sets these; a path map names the folder dpkg-buildflags ran in.
    list(FILTER flags EXCLUDE REGEX "^-(g[0-9]*|O[0-9a-z]*|f[a-z-]*-prefix-map=.*)$")
    set(MIRABOSC_HARDENING_${kind} ${flags})
  endforeach()
endif()

# Fortified functions need the optimizer: glibc warns when _FORTIFY_SOURCE meets -O0.
set(optimized $<CONFIG:RelWithDebInfo,Release,MinSizeRel>)
foreach(flag IN LISTS MIRABOSC_HARDENING_CPPFLAGS)
  target_compile_options(mirabosc_flags INTERFACE $<${optimized}:${flag}>)
endforeach()
target_compile_options(mirabosc_flags INTERFACE ${MIRABOSC_HARDENING_CXXFLAGS})
# Immediate binding with the read-only relocations: the whole global offset table read-only.
target_link_options(mirabosc_flags INTERFACE ${MIRABOSC_HARDENING_LDFLAGS} LINKER:-z,now)
string(JOIN " " flags ${MIRABOSC_HARDENING_CPPFLAGS} ${MIRABOSC_HARDENING_CXXFLAGS}
       ${MIRABOSC_HARDENING_LDFLAGS} -Wl,-z,now)
message(STATUS "Hardening: ${flags}")
