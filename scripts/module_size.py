#!/usr/bin/env python3
"""What a linked binary is made of, by part, from lld's map file.

Usage: module_size.py MAP XERCES_ARCHIVE [BINARY]
  e.g. module_size.py build/x86/Tavrin.map build/x86/xerces-c/lib/libxerces-c.a build/x86/bin/Tavrin.dll

Every input section of a loaded output section (code, data, read-only data,
unwind tables, resources; debug sections are left out, as strip removes them)
is counted for the part its object file belongs to. lld names an archive's
members without their archive, so the XML library's members are told apart
by the archive's member list. With BINARY, the file's size and the linker's
own share (headers, import and export tables, base relocations, alignment)
are shown too.
"""
import os
import re
import subprocess
import sys
from collections import defaultdict

# "Address Size Align Out In Symbol": an output section names itself in the
# Out column, an input section its object and section in the In column.
OUTPUT = re.compile(r"^[0-9a-f]+ ([0-9a-f]+) +\d+ (\S+)$")
INPUT = re.compile(r"^[0-9a-f]+ ([0-9a-f]+) +\d+ {9}(.+):\((\S+)\)$")

# The mingw-w64 C run time's members and import stubs: crt objects by path,
# members named after their library (lib64_libmingwex_a-…), and the stubs
# that dlltool writes (libgdi32s00019.o, libPellix_dll_a_t.o).
C_RUN_TIME = re.compile(r"^/usr/|^lib(32|64)_|^lib\w+?(h|t|s\d+)\.o$|^lib\w+_dll_a_\w+\.o$")

PARTS = ["resources", "Xerces-C (XML library)", "our code", "C++ run time (libstdc++, libgcc)",
         "C run time and import stubs (mingw-w64)"]


def loaded(section):
    """Whether the section takes room in the stripped file."""
    return not (section == ".bss" or section.startswith(".debug") or section.startswith("/"))


def parse(lines):
    """Yields (output section, input object, input section, size) for every
    input section."""
    out = None
    for line in lines:
        line = line.rstrip("\n")
        m = OUTPUT.match(line)
        if m:
            out = m.group(2)
            continue
        m = INPUT.match(line)
        if m and out:
            yield out, m.group(2), m.group(3), int(m.group(1), 16)


def part_of(name, out, xerces_members):
    if out == ".rsrc" or name.endswith("created from .res files"):
        return "resources"
    if name in xerces_members:
        return "Xerces-C (XML library)"
    if C_RUN_TIME.search(name):
        return "C run time and import stubs (mingw-w64)"
    if name.endswith(".o"):
        return "C++ run time (libstdc++, libgcc)"
    return "our code"


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    members = set(subprocess.run(["llvm-ar", "t", sys.argv[2]], check=True, capture_output=True,
                                 text=True).stdout.split())
    sizes = defaultdict(int)
    with open(sys.argv[1], encoding="utf-8", errors="replace") as f:
        for out, name, _, size in parse(f):
            if loaded(out) and size:
                sizes[part_of(name, out, members)] += size
    counted = sum(sizes.values())
    rows = [(name, sizes[name]) for name in PARTS if sizes[name]]
    if len(sys.argv) > 3:
        rows.append(("linker (headers, tables, relocations, alignment)", os.path.getsize(sys.argv[3]) - counted))
    total = sum(size for _, size in rows)
    width = max(len(name) for name, _ in rows)
    for name, size in rows:
        print(f"{name:<{width}}  {size:>10,} bytes  {100.0 * size / total:5.1f} %")
    print(f"{'total' + (' (the file)' if len(sys.argv) > 3 else ''):<{width}}  {total:>10,} bytes")


if __name__ == "__main__":
    main()
