#!/bin/sh
# Checks a built Tavrin.dll's headers: its machine, the four exports under
# their undecorated names, and that it imports Pellix.dll by name and
# otherwise only DLLs that every Windows has (no Xerces-C, no MinGW runtime).
# Usage: check_exports.sh OBJDUMP DLL MACHINE(i386|x86-64)
# Exits 77 (skipped) when the DLL has not been built.
objdump=$1 dll=$2 machine=$3

if [ ! -f "$dll" ]; then
    echo "SKIPPED: $dll has not been built (./tavrin build makes it)"
    exit 77
fi
headers=$("$objdump" -p "$dll") || { echo "FAIL: $objdump cannot read $dll"; exit 1; }
status=0
fail() { echo "FAIL: $*"; status=1; }

case $machine in
    i386) format=pei-i386 magic='(PE32)' ;;
    x86-64) format=pei-x86-64 magic='(PE32+)' ;;
    *) echo "FAIL: unknown machine $machine"; exit 1 ;;
esac
echo "$headers" | grep -q "file format $format\$" || fail "$dll is not $format"
echo "$headers" | grep -E "^Magic" | grep -qF "$magic" || fail "$dll is not $magic"

# The export name table: the lines after "[Ordinal/Name Pointer] Table" look
# like "	[   0] QmUIFunEnter" (the ordinal column's width varies).
names=$(echo "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^.*\] *//p')
for export in QmUIFunInitialize QmUIFunUnInitialize QmUIFunEnter DllPreTranslateMessage; do
    echo "$names" | grep -qx "$export" || fail "$export is not exported under its plain name"
    echo "$names" | grep -qx "_$export" && fail "$export is also exported with a leading underscore"
done
if echo "$names" | grep -Eq '@[0-9]+$'; then
    fail "decorated export names: $(echo "$names" | grep -E '@[0-9]+$' | tr '\n' ' ')"
fi

echo "$headers" | grep -Eq "DLL Name: Pellix\.dll\$" || fail "$dll does not import Pellix.dll"
system="kernel32 user32 gdi32 gdiplus comctl32 shlwapi advapi32 ole32 oleaut32 oleacc msvcrt version shell32 uxtheme msimg32 imm32"
for imported in $(echo "$headers" | sed -n 's/^.*DLL Name: //p'); do
    base=$(echo "${imported%.*}" | tr 'A-Z' 'a-z')
    [ "$imported" = Pellix.dll ] && continue
    echo " $system " | grep -q " $base " || fail "$dll imports $imported, which is not a system DLL"
done

[ $status -eq 0 ] && echo "OK: $dll is $format, exports the four functions undecorated and imports only Pellix.dll and system DLLs"
exit $status
