#!/bin/sh
# Installs a build tree into a fresh folder, as ./tavrin lays out dist/<arch>,
# and checks the drop-in folder a host developer gets: the SDK files, no
# runtime DLLs beyond our own, and stripped binaries whose debug files still
# turn an exported function's address into its source line.
# Usage: check_dist.sh CMAKE BUILD_DIR TOOL_PREFIX (e.g. x86_64-w64-mingw32-)
cmake=$1 build=$2 tools=$3
status=0
fail() { echo "FAIL: $*"; status=1; }
dist=$(mktemp -d)
trap 'rm -rf "$dist"' EXIT
"$cmake" --install "$build" --prefix "$dist" >/dev/null || { echo "FAIL: install failed"; exit 1; }

for f in Tavrin.dll Pellix.dll TavrinHost.exe Config/Morvel_SCfg.xml include/Tavrin.h include/PellixSDK.h \
         lib/Tavrin.def lib/Tavrin.lib lib/libTavrin.dll.a lib/Pellix.def lib/Pellix.lib lib/libPellix.dll.a \
         samples/MinimalHost.c samples/DpiAware.rc samples/DpiAware.manifest samples/cmake-host/CMakeLists.txt \
         lib/cmake/Tavrin/TavrinConfig.cmake lib/cmake/Tavrin/TavrinConfigVersion.cmake \
         licenses/Tavrin-LICENSE.txt licenses/Xerces-C-LICENSE.txt licenses/Xerces-C-NOTICE.txt \
         Config/Default/ToolItem@1.5x.png Config/Default/ToolItem@2x.png ToolIcons/tool01@1.5x.png ToolIcons/tool01@2x.png; do
    [ -f "$dist/$f" ] || fail "$f is missing"
done
for dll in "$dist"/*.dll; do
    case $(basename "$dll") in
        Tavrin.dll | Pellix.dll) ;;
        *) fail "$(basename "$dll") should not be shipped" ;;
    esac
done

for bin in Tavrin.dll Pellix.dll TavrinHost.exe; do
    "${tools}objdump" -h "$dist/$bin" | grep -q ' \.debug_' && fail "$bin is not stripped"
    hex=$("${tools}objdump" -s -j .gnu_debuglink "$dist/$bin" | sed -n 's/^ [0-9a-f]* \(.\{35\}\).*/\1/p' | tr -d ' \n')
    link=$(perl -e 'print unpack("Z*", pack("H*", $ARGV[0]))' "$hex")
    [ "$link" = "$bin.debug" ] || fail "$bin has no .gnu_debuglink to $bin.debug"
    "${tools}objdump" -h "$dist/.debug/$bin.debug" | grep -q ' \.debug_info' || fail ".debug/$bin.debug has no debug information"
done

# The address of QmUIFunEnter in the stripped module (image base + export RVA)
# must be the one the debug file knows, and resolve to the exports' source.
headers=$("${tools}objdump" -p "$dist/Tavrin.dll")
base=$(echo "$headers" | sed -n 's/^ImageBase[[:space:]]*//p')
index=$(echo "$headers" | sed -n 's/^[[:space:]]*\[ *\([0-9]*\)\] QmUIFunEnter$/\1/p')
rva=$(echo "$headers" | sed -n '/^Export Address Table -- Ordinal Base/,/^$/p' |
      sed -n "s/^[[:space:]]*\[ *$index\] +base\[ *[0-9]*\] *\([0-9a-f]*\) Export RVA/\1/p")
address=$(printf '%x' $((0x$base + 0x$rva)))
known=$("${tools}nm" "$dist/.debug/Tavrin.dll.debug" | awk '$3 == "QmUIFunEnter" || $3 == "_QmUIFunEnter@12" {print $1}' | sed 's/^0*//')
[ "$address" = "$known" ] || fail "QmUIFunEnter is at $address in Tavrin.dll but at $known in its debug file"
line=$("${tools}addr2line" -e "$dist/.debug/Tavrin.dll.debug" "0x$address")
case $line in
    *TavrinExports.cpp:[0-9]*) ;;
    *) fail "0x$address resolves to '$line', not to TavrinExports.cpp" ;;
esac

[ $status -eq 0 ] && echo "OK: the drop-in folder is complete and its stripped binaries resolve through .debug ($line)"
exit $status
