#!/bin/sh
# The module and its PDB built from the same sources in a second tree at
# another path are the same files, byte for byte: no build path and no time
# stamp reaches them, and the PDB's GUID comes from its contents.
# Usage: check_rebuild.sh CMAKE BUILD_DIR SOURCE_DIR TOOLCHAIN_FILE XERCES_ROOT CXX_RUNTIME
cmake=$1 build=$2 source=$3 toolchain=$4 xerces=$5 runtime=$6
# The copy keeps the tree's layout (the build folder at build/<arch> below the
# sources), so that the paths relative to the sources are the same.
arch=$(basename "$build")
copy=$build/rebuild-check/another/path/tavrin
rm -rf "$build/rebuild-check"
mkdir -p "$copy"
(cd "$source" && tar cf - --exclude=./build --exclude=./dist --exclude=./out --exclude=./.git .) |
    (cd "$copy" && tar xf -) || { echo "FAIL: cannot copy the sources"; exit 1; }
toolchain=$copy/cmake/$(basename "$toolchain")
"$cmake" -S "$copy" -B "$copy/build/$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DXERCES_ROOT="$xerces" -DTAVRIN_CXX_RUNTIME="$runtime" -DTAVRIN_TESTS=ON >"$build/rebuild-check/configure.log" 2>&1 ||
    { tail -20 "$build/rebuild-check/configure.log"; echo "FAIL: the second tree does not configure"; exit 1; }
"$cmake" --build "$copy/build/$arch" --target Tavrin >"$build/rebuild-check/build.log" 2>&1 ||
    { tail -20 "$build/rebuild-check/build.log"; echo "FAIL: the second tree does not build Tavrin.dll"; exit 1; }
for file in Tavrin.dll Tavrin.pdb; do
    first=$build/bin/$file second=$copy/build/$arch/bin/$file
    if ! cmp -s "$first" "$second"; then
        echo "FAIL: $second differs from $first: $(cmp "$first" "$second" | head -1)"
        exit 1
    fi
    for path in "$source" "$build" "$copy" "$HOME" "$xerces" "$runtime"; do
        [ "${#path}" -gt 1 ] || continue
        if grep -qaF "$path" "$first"; then
            echo "FAIL: $file names the folder $path"
            exit 1
        fi
    done
done
echo "OK: Tavrin.dll ($(wc -c <"$build/bin/Tavrin.dll") bytes) and Tavrin.pdb ($(wc -c <"$build/bin/Tavrin.pdb") bytes) are the same when built at $copy"
rm -rf "$build/rebuild-check"
