#!/usr/bin/env python3
"""What a linked binary is made of, by part, from the GNU linker's map file.

Usage: module_size.py MAP [BINARY]

Every input section of a loaded output section (code, data, read-only data,
unwind tables, resources; debug sections are left out, as strip removes them)
is counted for the part its object file belongs to. With BINARY, the file's
size and the linker's own share (headers, import and export tables, base
relocations, alignment) are shown too.
"""
import os
import re
import sys
from collections import defaultdict

# Parts, in the order shown: (name, test on the object's path, test on the output section).
PARTS = [
    ("resources", lambda path, out: out == ".rsrc"),
    ("Xerces-C (XML library)", lambda path, out: "libxerces-c" in path),
    ("C++ run time (libstdc++, libgcc)",
     lambda path, out: re.search(r"/lib(stdc\+\+|supc\+\+|gcc|gcc_eh)\.a\(", path) is not None),
    ("C run time and import stubs (mingw-w64)", lambda path, out: path.startswith("/usr/")),
    ("our code", lambda path, out: True),
]

OUTPUT = re.compile(r"^(\.\S+|/\d+)\s+0x[0-9a-f]+\s+0x([0-9a-f]+)")
INPUT = re.compile(r"^ (\S+)\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(.+)$")
CONTINUED = re.compile(r"^\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(.+)$")


def loaded(section):
    """Whether the section takes room in the stripped file."""
    return not (section == ".bss" or section.startswith(".debug") or section.startswith("/") or section.startswith(".stab")
                or section == ".gnu_debuglink")


def parse(lines):
    """Yields (output section, input object, size) for every input section."""
    out = None
    pending = None  # an input section whose name filled its line
    for line in lines:
        line = line.rstrip("\n")
        m = OUTPUT.match(line)
        if m:
            out, pending = m.group(1), None
            continue
        if out is None:
            continue
        if pending:
            m = CONTINUED.match(line)
            pending = None
            if m:
                yield out, m.group(2).strip(), int(m.group(1), 16)
                continue
        m = INPUT.match(line)
        if m:
            yield out, m.group(3).strip(), int(m.group(2), 16)
        elif re.match(r"^ \S+$", line) and not line.startswith(" *"):
            pending = line.strip()


def part_of(path, out):
    for name, test in PARTS:
        if test(path, out):
            return name
    return "our code"


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    sizes = defaultdict(int)
    with open(sys.argv[1], encoding="utf-8", errors="replace") as f:
        for out, path, size in parse(f):
            if loaded(out) and size:
                sizes[part_of(path, out)] += size
    counted = sum(sizes.values())
    rows = [(name, sizes[name]) for name, _ in PARTS if sizes[name]]
    if len(sys.argv) > 2:
        rows.append(("linker (headers, tables, relocations, alignment)", os.path.getsize(sys.argv[2]) - counted))
    total = sum(size for _, size in rows)
    width = max(len(name) for name, _ in rows)
    for name, size in rows:
        print(f"{name:<{width}}  {size:>10,} bytes  {100.0 * size / total:5.1f} %")
    print(f"{'total' + (' (the file)' if len(sys.argv) > 2 else ''):<{width}}  {total:>10,} bytes")


if __name__ == "__main__":
    main()
