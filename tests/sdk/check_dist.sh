#!/bin/sh
# Installs a build tree into a fresh folder, as ./tavrin lays out dist/<arch>,
# and checks the drop-in folder a host developer gets: the SDK files, no
# runtime DLLs beyond our own, and stripped binaries whose PDB files turn an
# exported function's address into its source line.
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

# Each binary is stripped, and its debug directory asks for the PDB beside it
# by file name alone, with the GUID and age that PDB carries. readobj prints
# the GUID's bytes; pdbutil prints it as a GUID, its first three fields
# little-endian.
guid_bytes() { sed -n 's/^ *PDBGUID: (\(.*\))$/\1/p' | tr -d ' '; }
guid_of_pdb() {
    sed -n 's/^ *GUID: {\(.*\)}$/\1/p' | tr -d '-' |
        sed 's/^\(..\)\(..\)\(..\)\(..\)\(..\)\(..\)\(..\)\(..\)/\4\3\2\1\6\5\8\7/'
}
for bin in Tavrin.dll Pellix.dll TavrinHost.exe TavrinSkinCheck.exe; do
    pdb=${bin%.*}.pdb
    "${tools}objdump" -h "$dist/$bin" | grep -q ' \.debug' && fail "$bin has debug sections"
    llvm-readobj --file-headers "$dist/$bin" | grep -q 'SymbolCount: 0$' || fail "$bin keeps a symbol table"
    [ -f "$dist/$pdb" ] || { fail "$pdb is missing"; continue; }
    directory=$(llvm-readobj --coff-debug-directory "$dist/$bin")
    name=$(echo "$directory" | sed -n 's/^ *PDBFileName: //p')
    [ "$name" = "$pdb" ] || fail "$bin names its PDB '$name', not $pdb"
    summary=$(llvm-pdbutil dump --summary "$dist/$pdb")
    wanted=$(echo "$directory" | guid_bytes)/$(echo "$directory" | sed -n 's/^ *PDBAge: //p')
    found=$(echo "$summary" | guid_of_pdb)/$(echo "$summary" | sed -n 's/^ *Age: //p')
    [ -n "$wanted" ] && [ "$wanted" = "$found" ] || fail "$bin asks for PDB $wanted, $pdb is $found"
done

# The address of QmUIFunEnter in the stripped module (image base + export
# RVA) resolves through its PDB to the exports' source. The symbolizer runs
# from / so that it finds the PDB only by the name in the debug directory,
# beside the DLL.
base=$(llvm-readobj --file-headers "$dist/Tavrin.dll" | sed -n 's/^ *ImageBase: //p')
rva=$(llvm-readobj --coff-exports "$dist/Tavrin.dll" | sed -n '/Name: QmUIFunEnter$/{n;s/^ *RVA: //p}')
address=$(printf '0x%x' $((base + rva)))
resolved=$(cd / && llvm-symbolizer --obj="$dist/Tavrin.dll" "$address" | tr '\n' ' ')
case $resolved in
    "QmUIFunEnter "*TavrinExports.cpp:[1-9]* | "_QmUIFunEnter@12 "*TavrinExports.cpp:[1-9]*) ;;
    *) fail "$address resolves to '$resolved', not to QmUIFunEnter in TavrinExports.cpp" ;;
esac

[ $status -eq 0 ] && echo "OK: the drop-in folder is complete; QmUIFunEnter at $address resolves through Tavrin.pdb to $resolved"
exit $status
