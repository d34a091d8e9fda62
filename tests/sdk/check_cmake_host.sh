#!/bin/sh
# Builds the CMake host sample as a host developer does: installs the build
# tree as its drop-in folder, configures samples/cmake-host of that folder
# with the MinGW toolchain, finding the package through Tavrin_DIR, and builds
# it. The program must import Tavrin.dll and have the folder's Tavrin.dll,
# Pellix.dll and skin beside it. The configure and build logs are printed;
# test_sdk then runs the program (build/<arch>/cmake-host/build/MinimalHost.exe).
# Usage: check_cmake_host.sh CMAKE BUILD_DIR TOOLCHAIN_FILE OBJDUMP
cmake=$1 build=$2 toolchain=$3 objdump=$4
status=0
fail() { echo "FAIL: $*"; status=1; }
top=$build/cmake-host
dist=$top/dist out=$top/build
rm -rf "$top"
"$cmake" --install "$build" --prefix "$dist" >/dev/null || { echo "FAIL: install failed"; exit 1; }
[ -f "$dist/samples/cmake-host/CMakeLists.txt" ] || { echo "FAIL: the drop-in folder has no samples/cmake-host"; exit 1; }

echo "== configure"
"$cmake" -S "$dist/samples/cmake-host" -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DTavrin_DIR="$dist/lib/cmake/Tavrin" || { echo "FAIL: configure failed"; exit 1; }
echo "== build"
"$cmake" --build "$out" -v || { echo "FAIL: build failed"; exit 1; }

"$objdump" -p "$out/MinimalHost.exe" | grep -q 'DLL Name: Tavrin.dll' || fail "MinimalHost.exe does not import Tavrin.dll"
for f in Tavrin.dll Pellix.dll Config/Morvel_SCfg.xml PellixCatalog.ini; do
    cmp -s "$dist/$f" "$out/$f" || fail "$f of the drop-in folder is not beside the program"
done
[ $status -eq 0 ] && echo "OK: the CMake host sample builds against the package and has its runtime beside it"
exit $status
