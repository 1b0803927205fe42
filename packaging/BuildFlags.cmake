# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The hardening a distribution builds its packages with. A packager's own CXXFLAGS and
# LDFLAGS (CMake takes them from the environment at the first configure) win: a kind of
# flag they already set is left to them, so nothing is given twice or contradicted.
# The sanitizer and fuzzing builds instrument the code their own way and get none of it.
option(TRAKMIL_HARDENING "Build with stack protector, _FORTIFY_SOURCE, full RELRO and PIE" ON)
if(TRAKMIL_SANITIZE OR TRAKMIL_FUZZ)
  set(TRAKMIL_HARDENING OFF)
endif()

if(TRAKMIL_HARDENING)
  include(CheckCXXCompilerFlag)
  include(CheckLinkerFlag)
  include(CheckPIESupported)

  string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
  set(given_cxx "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}}")
  set(given_ld "${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_${build_type}}")

  if(NOT given_cxx MATCHES "-f(no-)?stack-protector")
    add_compile_options(-fstack-protector-strong)
  endif()
  check_cxx_compiler_flag(-fstack-clash-protection TRAKMIL_HAVE_STACK_CLASH)
  if(TRAKMIL_HAVE_STACK_CLASH AND NOT given_cxx MATCHES "-f(no-)?stack-clash-protection")
    add_compile_options(-fstack-clash-protection)
  endif()
  # Only where the compiler has it (x86 and its control-flow enforcement).
  check_cxx_compiler_flag(-fcf-protection TRAKMIL_HAVE_CF_PROTECTION)
  if(TRAKMIL_HAVE_CF_PROTECTION AND NOT given_cxx MATCHES "-fcf-protection")
    add_compile_options(-fcf-protection)
    # The linker marks the executable only when every object in it is marked, and some C
    # libraries' start files (Debian 12's) are not: it is told to mark it anyway. The loader
    # turns the protection on only when every library in the process is marked too, and a
    # system whose libraries are all marked has marked start files as well.
    check_linker_flag(CXX "-Wl,-z,ibt,-z,shstk" TRAKMIL_HAVE_CET_MARKING)
    if(TRAKMIL_HAVE_CET_MARKING AND NOT given_ld MATCHES "-z,?(ibt|shstk)")
      add_link_options(-Wl,-z,ibt,-z,shstk)
    endif()
  endif()
  # glibc's checked functions need the optimiser, and warn without it. Level 3 also checks
  # buffers whose size is known only at run time, which is most of ours (GCC 12, clang 9).
  if(NOT given_cxx MATCHES "_FORTIFY_SOURCE")
    set(fortify 2)
    if((CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12)
       OR (CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 9))
      set(fortify 3)
    endif()
    add_compile_options($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE>
                        $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=${fortify}>)
  endif()

  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  check_linker_flag(CXX "-Wl,-z,relro" TRAKMIL_HAVE_RELRO)
  if(TRAKMIL_HAVE_RELRO AND NOT given_ld MATCHES "-z,?(no)?relro")
    add_link_options(-Wl,-z,relro)
  endif()
  check_linker_flag(CXX "-Wl,-z,now" TRAKMIL_HAVE_NOW)
  if(TRAKMIL_HAVE_NOW AND NOT given_ld MATCHES "-z,?(now|lazy)")
    add_link_options(-Wl,-z,now)
  endif()
endif()

# Two builds of the same commit in different folders give the same bytes: no folder name
# reaches the objects (debug information, __FILE__), hence none reaches the build id either.
# Off by default because a debugger then finds the sources only from the source folder.
option(TRAKMIL_REPRODUCIBLE "Keep the source and build folder names out of the objects" OFF)
include(CheckCXXCompilerFlag)
check_cxx_compiler_flag(-ffile-prefix-map=a=b TRAKMIL_HAVE_PREFIX_MAP)
if(TRAKMIL_REPRODUCIBLE AND TRAKMIL_HAVE_PREFIX_MAP)
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
                      -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
endif()
