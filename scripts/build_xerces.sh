#!/usr/bin/env bash
# Builds Xerces-C from Debian's source package for one MinGW target into the
# cache, as a static library: every module that parses XML carries its own copy,
# so no host has to ship or initialise Xerces-C.
# Every function and datum gets a section of its own, so that the linker of
# the module drops what the module never reaches (--gc-sections).
# Usage: build_xerces.sh <i686|x86_64> <cache dir> <repo root> <install prefix>
# (the prefix is named by ./tavrin after the recipe, see xerces_prefix).
set -euo pipefail
arch=$1 cache=$2 root=$3 prefix=$4
ver=3.2.4
[ -f "$prefix/.done" ] && exit 0
src=$(ls -d "$cache"/src/xerces-c-$ver*/ 2>/dev/null | head -n1)
[ -n "$src" ] || { echo "xerces-c source missing in $cache/src" >&2; exit 1; }
bld=$prefix.build
rm -rf "$bld" "$prefix"
sections="-ffunction-sections -fdata-sections"
# Its exception macros keep __FILE__: the library names its files from its own
# folders, not from this machine's cache (which holds the user's home).
maps="-ffile-prefix-map=${src%/}=xerces-c -ffile-prefix-map=$bld=xerces-c-build"
# The flags come through the environment, where CMake adds them to the
# toolchain's own (a CMAKE_CXX_FLAGS setting would replace those, and with
# them the C++ library's include folders).
CFLAGS="$sections $maps" CXXFLAGS="$sections $maps" cmake -S "$src" -B "$bld" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" -DCMAKE_BUILD_TYPE=Release \
  -Dnetwork=OFF -Dtranscoder=windows -Dmessage-loader=inmemory -Dmutex-manager=windows \
  -DBUILD_SHARED_LIBS=OFF -DCMAKE_INSTALL_PREFIX="$prefix" >"$bld.log" 2>&1 || { tail -30 "$bld.log"; exit 1; }
cmake --build "$bld" --target xerces-c >>"$bld.log" 2>&1 || { tail -30 "$bld.log"; exit 1; }
cmake --install "$bld/src" >>"$bld.log" 2>&1
[ -f "$prefix/include/xercesc/dom/DOM.hpp" ] || { echo "xerces install incomplete" >&2; exit 1; }
ls "$prefix"/lib/libxerces-c*.a >/dev/null
mkdir -p "$prefix/licenses"
cp "$src/LICENSE" "$src/NOTICE" "$prefix/licenses/"
rm -rf "$bld"
touch "$prefix/.done"
