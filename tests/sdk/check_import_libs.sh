#!/bin/sh
# Checks the import libraries of Tavrin.dll and Pellix.dll in both formats:
# each function's import symbol as a caller's compiler refers to it (on x86
# with the stdcall @n of the three QmUIFun calls), bound to the undecorated
# name the DLL exports.
# Usage: check_import_libs.sh LLVM_READOBJ OBJDUMP LIBDIR x86|x64
readobj=$1 objdump=$2 libdir=$3 arch=$4
status=0
fail() { echo "FAIL: $*"; status=1; }

# "symbol name-type" per function; name types as llvm-readobj prints them.
if [ "$arch" = x86 ]; then
    tavrin="__imp__QmUIFunInitialize@4:undecorate __imp__QmUIFunUnInitialize@4:undecorate
            __imp__QmUIFunEnter@12:undecorate __imp__DllPreTranslateMessage:noprefix"
    pellix="__imp__PxGetAllPluginList:noprefix __imp__PxFreePluginListBuffer:noprefix
            __imp__PxGetAllPluginListFromInternet:noprefix __imp__PxRunTool:noprefix"
else
    tavrin="__imp_QmUIFunInitialize:name __imp_QmUIFunUnInitialize:name
            __imp_QmUIFunEnter:name __imp_DllPreTranslateMessage:name"
    pellix="__imp_PxGetAllPluginList:name __imp_PxFreePluginListBuffer:name
            __imp_PxGetAllPluginListFromInternet:name __imp_PxRunTool:name"
fi

# The undecorated name a symbol imports: no __imp_, no leading _ on x86, no @n.
plain_name() {
    name=${1#__imp_}
    [ "$arch" = x86 ] && name=${name#_}
    echo "${name%@*}"
}

# Microsoft format: one short import record per function, "File: <dll>",
# "Name type: <type>", then its symbols.
check_mslib() { # lib dll expected
    lib=$1 dll=$2
    [ -f "$lib" ] || { fail "$lib is missing"; return; }
    out=$("$readobj" "$lib") || { fail "$readobj cannot read $lib"; return; }
    for entry in $3; do
        sym=${entry%:*} type=${entry##*:}
        record=$(echo "$out" | grep -B4 -x "Symbol: $sym")
        [ -n "$record" ] || { fail "$lib has no symbol $sym"; continue; }
        echo "$record" | grep -qx "File: $dll" || fail "$lib: $sym does not import from $dll"
        echo "$record" | grep -qx "Name type: $type" || fail "$lib: $sym is not imported by name type $type"
    done
}

# MinGW format: the symbol is defined in a member whose hint/name entry
# (.idata$6) holds the undecorated name.
check_gnulib() { # lib dll expected
    lib=$1 dll=$2
    [ -f "$lib" ] || { fail "$lib is missing"; return; }
    dir=$(mktemp -d)
    (cd "$dir" && ar x "$lib") || { fail "cannot unpack $lib"; rm -rf "$dir"; return; }
    for entry in $3; do
        sym=${entry%:*}
        member=$(for o in "$dir"/*.o; do "$objdump" -t "$o" | grep -q " $sym\$" && echo "$o"; done | head -n1)
        [ -n "$member" ] || { fail "$lib has no symbol $sym"; continue; }
        # The entry is a 2-byte hint, then the NUL-terminated name.
        hex=$("$objdump" -s -j '.idata$6' "$member" | sed -n 's/^ [0-9a-f]\{4\} \(.\{35\}\).*/\1/p' | tr -d ' \n')
        name=$(perl -e 'print unpack("x2 Z*", pack("H*", $ARGV[0]))' "$hex")
        [ "$name" = "$(plain_name "$sym")" ] || fail "$lib: $sym imports '$name', not '$(plain_name "$sym")'"
    done
    grep -qa "$dll" "$lib" || fail "$lib does not name $dll"
    rm -rf "$dir"
}

check_mslib "$libdir/Tavrin.lib" Tavrin.dll "$tavrin"
check_mslib "$libdir/Pellix.lib" Pellix.dll "$pellix"
check_gnulib "$libdir/libTavrin.dll.a" Tavrin.dll "$tavrin"
check_gnulib "$libdir/libPellix.dll.a" Pellix.dll "$pellix"
[ $status -eq 0 ] && echo "OK: the import libraries in $libdir bind the $arch callers' names to the undecorated exports"
exit $status
