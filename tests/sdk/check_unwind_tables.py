#!/usr/bin/env python3
"""Every function that the module takes from GCC's static C++ library keeps its
unwind table: an exception that passes through a function without one (a
bad_alloc out of std::wstring's growth) ends the host's process instead of
reaching its handler.

Usage: check_unwind_tables.py MAP ARCHIVE...
  MAP: lld's map of Tavrin.dll; ARCHIVE: the C++ library the module linked.

GCC puts an inline or template function in .text$<name> and, where it gives
it a table of its own, that table in .pdata$<name> (x86_64) or
.eh_frame$<name> (i686). Each such table of a function the link kept must be
in the map too.
"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from module_size import parse  # noqa: E402  (the one reader of lld's map)

MEMBER = re.compile(r"^\S+\((\S+\.o)\):\s+file format")
ARCHIVE_SECTION = re.compile(r"^\s*\d+ (\.pdata|\.eh_frame)\$(\S+)\s")
MAP_SECTION = re.compile(r"^(\.text|\.pdata|\.eh_frame)\$(\S+)$")


def tables_in_archives(archives):
    """(member, function) for every unwind table of its own in the archives."""
    tables, member = set(), None
    for archive in archives:
        listing = subprocess.run(["llvm-objdump", "-h", archive], check=True, capture_output=True, text=True).stdout
        for line in listing.splitlines():
            m = MEMBER.match(line)
            if m:
                member = m.group(1)
                continue
            m = ARCHIVE_SECTION.match(line)
            if m and member:
                tables.add((member, m.group(2)))
    return tables


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    functions, kept = set(), set()
    with open(sys.argv[1], encoding="utf-8", errors="replace") as f:
        for _, member, section, _ in parse(f):
            m = MAP_SECTION.match(section)
            if m and member.endswith(".o"):
                (functions if m.group(1) == ".text" else kept).add((member, m.group(2)))
    expected = functions & tables_in_archives(sys.argv[2:])
    missing = sorted(expected - kept)
    for member, name in missing[:10]:
        print(f"FAIL: {member}: {name} has lost its unwind table in the module")
    if not expected:
        print("FAIL: the map lists no function of GCC's C++ library with an unwind table of its own")
        return 1
    if missing:
        print(f"FAIL: {len(missing)} of {len(expected)} functions of GCC's C++ library lost their unwind tables")
        return 1
    print(f"OK: all {len(expected)} functions of GCC's C++ library with unwind tables of their own keep them")
    return 0


if __name__ == "__main__":
    sys.exit(main())
