#!/bin/sh
# The module built from the same sources in a second tree at another path is
# the same file, byte for byte, debug information included: no build path and
# no time stamp reaches it.
# Usage: check_rebuild.sh CMAKE BUILD_DIR SOURCE_DIR TOOLCHAIN_FILE XERCES_ROOT
cmake=$1 build=$2 source=$3 toolchain=$4 xerces=$5
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
    -DXERCES_ROOT="$xerces" -DTAVRIN_TESTS=ON >"$build/rebuild-check/configure.log" 2>&1 ||
    { tail -20 "$build/rebuild-check/configure.log"; echo "FAIL: the second tree does not configure"; exit 1; }
"$cmake" --build "$copy/build/$arch" --target Tavrin >"$build/rebuild-check/build.log" 2>&1 ||
    { tail -20 "$build/rebuild-check/build.log"; echo "FAIL: the second tree does not build Tavrin.dll"; exit 1; }
first=$build/bin/Tavrin.dll second=$copy/build/$arch/bin/Tavrin.dll
if ! cmp -s "$first" "$second"; then
    echo "FAIL: $second differs from $first: $(cmp "$first" "$second" | head -1)"
    exit 1
fi
for path in "$source" "$build" "$copy" "$HOME"; do
    [ "${#path}" -gt 1 ] || continue
    if grep -qaF "$path" "$first"; then
        echo "FAIL: Tavrin.dll names the folder $path"
        exit 1
    fi
done
echo "OK: Tavrin.dll ($(wc -c <"$first") bytes with its debug information) is the same when built at $copy"
rm -rf "$build/rebuild-check"
