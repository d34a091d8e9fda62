# Cross-compiling for Windows with clang and lld in MinGW mode, against the
# mingw-w64 headers and libraries and GCC's win32-threads libstdc++ (no
# winpthread DLL to ship). clang writes CodeView debug information, from which
# lld makes PDB files. Included by the per-target toolchain files, which set
# CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)
set(TOOLCHAIN_PREFIX ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_SYSROOT /usr/${TOOLCHAIN_PREFIX})
# GNU windres for resources; binutils' objdump and dlltool for the PE checks
# and the MinGW import libraries; LLVM's archiver and objcopy, which keep
# lld's debug directory intact.
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_OBJDUMP ${TOOLCHAIN_PREFIX}-objdump CACHE FILEPATH "")
set(CMAKE_DLLTOOL ${TOOLCHAIN_PREFIX}-dlltool CACHE FILEPATH "")
set(CMAKE_AR llvm-ar CACHE FILEPATH "")
set(CMAKE_RANLIB llvm-ranlib CACHE FILEPATH "")
set(CMAKE_OBJCOPY llvm-objcopy CACHE FILEPATH "")
set(CMAKE_STRIP llvm-strip CACHE FILEPATH "")

# clang does not recognise Debian's GCC folder name (12-win32) as a version:
# the C++ library's headers and GCC's libraries are named here.
file(GLOB TAVRIN_GCC_DIRS LIST_DIRECTORIES true /usr/lib/gcc/${TOOLCHAIN_PREFIX}/*-win32)
list(SORT TAVRIN_GCC_DIRS COMPARE NATURAL ORDER DESCENDING)
list(GET TAVRIN_GCC_DIRS 0 TAVRIN_GCC_DIR)
if(NOT EXISTS ${TAVRIN_GCC_DIR}/include/c++)
  message(FATAL_ERROR "no win32-threads GCC for ${TOOLCHAIN_PREFIX} under /usr/lib/gcc")
endif()
set(TAVRIN_CXX_INCLUDE ${TAVRIN_GCC_DIR}/include/c++)
set(CMAKE_CXX_FLAGS_INIT "-nostdinc++ -isystem ${TAVRIN_CXX_INCLUDE} -isystem ${TAVRIN_CXX_INCLUDE}/${TOOLCHAIN_PREFIX} -isystem ${TAVRIN_CXX_INCLUDE}/backward")
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -L${TAVRIN_GCC_DIR}")
endforeach()

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
