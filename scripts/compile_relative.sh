#!/bin/sh
# Runs a compiler with every path below the build folder or the source folder
# written relative to the working folder (the build folder, where Ninja runs
# its commands). clang records its whole command line in the CodeView build
# information of each object, which reaches the PDB: so it names no folder of
# this machine, and a tree built at another path gives the same PDB.
# Usage: compile_relative.sh SOURCE_DIR BUILD_DIR COMPILER ARGS...
src=$1 bin=$2
shift 2
to_src=$(realpath -m --relative-to=. "$src")
to_bin=$(realpath -m --relative-to=. "$bin")
compiler=$1
shift
for arg do
    shift
    # The build folder first: it may lie below the source folder.
    case $arg in
        *"$bin"*) arg=$(printf '%s' "$arg" | sed "s#$bin#$to_bin#g") ;;
    esac
    case $arg in
        *"$src"*) arg=$(printf '%s' "$arg" | sed "s#$src#$to_src#g") ;;
    esac
    set -- "$@" "$arg"
done
exec "$compiler" "$@"
