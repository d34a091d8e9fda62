#!/usr/bin/env python3
"""Every function that the module takes from GCC's static C++ library keeps its
unwind table: an exception that passes through a function without one (a
bad_alloc out of std::wstring's growth) ends the host's process instead of
reaching its handler.

Usage: check_unwind_tables.py MAP   (lld's map of Tavrin.dll)

GCC's objects (members named *.o) put a function in .text$<name> and its
unwind table in .pdata$<name> (x86_64) or .eh_frame$<name> (i686); the map
lists the input sections that the link kept.
"""
import re
import sys

SECTION = re.compile(r"^[0-9a-f]+ [0-9a-f]+ +\d+ {9}(\S+\.o):\((\.text|\.pdata|\.eh_frame)\$(\S+)\)$")


def main():
    functions, tables = set(), set()
    with open(sys.argv[1], encoding="utf-8", errors="replace") as f:
        for line in f:
            m = SECTION.match(line.rstrip("\n"))
            if m:
                (functions if m.group(2) == ".text" else tables).add((m.group(1), m.group(3)))
    missing = sorted(functions - tables)
    for member, name in missing[:10]:
        print(f"FAIL: {member}: {name} has no unwind table in the module")
    if not functions:
        print("FAIL: the map lists no function of GCC's C++ library")
        return 1
    if missing:
        print(f"FAIL: {len(missing)} of {len(functions)} functions of GCC's C++ library lost their unwind tables")
        return 1
    print(f"OK: all {len(functions)} functions of GCC's C++ library in the module keep their unwind tables")
    return 0


if __name__ == "__main__":
    sys.exit(main())
