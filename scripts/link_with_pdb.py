#!/usr/bin/env python3
"""ld.lld for a binary that gets a PDB and keeps a COFF symbol table too.

clang runs it as its linker (--ld-path) with ld.lld's MinGW arguments. lld
writes either a PDB (--pdb) or a symbol table (--strip-debug), not both in
one link. So the binary is linked with its PDB, then once more from the same
inputs without it, to a file of the same name in a scratch folder (the name
is the DLL's export name). /Brepro gives that link a debug directory too,
only a smaller one, so its .buildid section stays where the PDB's CodeView
record is: every other section must come out the same (but for the time
stamp that /Brepro puts in the export directory), and the second link's
symbol table is then appended to the binary. The DWARF sections of the
static C run time, which a PDB link keeps, are dropped first. Files of the
build's own trees are passed to the linker by relative paths.

The build's binary carries the symbol table (the fault sweep and the
profiler name functions from it); `llvm-strip --strip-all` gives the binary
as shipped, whose debug directory points at its PDB.
"""
import os
import shutil
import struct
import subprocess
import sys

# Options of the first link that the symbol table link leaves out: (name,
# whether its value is the next argument).
FIRST_LINK_ONLY = [("--pdb", False), ("-Map", True), ("--Map", True), ("--out-implib", True)]


def symtab_link_args(args, scratch):
    """The arguments of the second link: no PDB, map or import library, symbols only."""
    out, skip = [], False
    for arg in args:
        if skip:
            skip = False
            continue
        if arg == "-o":
            skip = True
            continue
        if arg.startswith("--Xlink=") and "pdb" in arg.lower():
            continue
        dropped = False
        for name, separate in FIRST_LINK_ONLY:
            if arg.startswith(name + "="):
                dropped = True
            elif arg == name and separate:
                dropped = skip = True
        if not dropped:
            out.append(arg)
    return out + ["--strip-debug", "--Xlink=-Brepro", "-o", scratch]


class Image:
    """The headers of a PE file that the graft reads and writes."""

    def __init__(self, data):
        self.data = bytearray(data)
        self.header = struct.unpack_from("<I", self.data, 0x3C)[0] + 4
        count, = struct.unpack_from("<H", self.data, self.header + 2)
        optional, = struct.unpack_from("<H", self.data, self.header + 16)
        first = self.header + 20 + optional
        magic, = struct.unpack_from("<H", self.data, self.header + 20)
        directories = self.header + 20 + (112 if magic == 0x20B else 96)
        self.exports, = struct.unpack_from("<I", self.data, directories)
        self.sections = []
        for i in range(count):
            name, vsize, rva, raw_size, raw_at = struct.unpack_from("<8sIIII", self.data, first + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode(), vsize, rva, raw_size, raw_at))

    def symbols(self):
        return struct.unpack_from("<II", self.data, self.header + 8)

    def content(self, section):
        """The section's bytes, the export directory's time stamp left out."""
        _, vsize, rva, raw_size, raw_at = section
        data = bytearray(self.data[raw_at:raw_at + min(vsize, raw_size)])
        if self.exports and rva <= self.exports < rva + len(data):
            data[self.exports - rva + 4:self.exports - rva + 8] = bytes(4)
        return bytes(data)


def check_same_layout(binary, scratch):
    if len(binary.sections) != len(scratch.sections):
        return "the two links gave different sections"
    for a, b in zip(binary.sections, scratch.sections):
        if a[0] != b[0] or a[2] != b[2]:
            return f"section {a[0]} at {a[2]:#x} in the binary, {b[0]} at {b[2]:#x} in the symbol link"
        if a[0] != ".buildid" and binary.content(a) != scratch.content(b):
            return f"section {a[0]} differs between the two links"
    return None


def graft(output, scratch_path):
    binary = Image(open(output, "rb").read())
    scratch = Image(open(scratch_path, "rb").read())
    problem = check_same_layout(binary, scratch)
    if problem:
        return problem
    if binary.symbols()[0]:
        return "the binary already has a symbol table"
    at, count = scratch.symbols()
    if not at or not count:
        return "the symbol link wrote no symbol table"
    binary.data += b"\0" * (-len(binary.data) % 8)
    struct.pack_into("<II", binary.data, binary.header + 8, len(binary.data), count)
    binary.data += scratch.data[at:]
    with open(output, "wb") as f:
        f.write(binary.data)
    return None


def relative_paths(args):
    """The arguments with the files of the build's own trees named relative to
    the working folder (the build folder): lld writes its command line into
    the PDB, which must not name a folder of the machine that built it."""
    def relative(arg):
        if arg.startswith("/") and not arg.startswith("/usr/") and os.path.exists(arg):
            return os.path.relpath(arg)
        return arg
    return [relative(arg) for arg in args]


def main():
    args = relative_paths(sys.argv[1:])
    subprocess.run(["ld.lld"] + args, check=True)
    if not any(arg.startswith("--pdb=") for arg in args):
        return 0
    output = args[args.index("-o") + 1]
    folder = output + ".symtab-link"
    scratch = os.path.join(folder, os.path.basename(output))
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    try:
        subprocess.run(["ld.lld"] + symtab_link_args(args, scratch), check=True)
        subprocess.run(["llvm-objcopy", "--strip-debug", output], check=True)
        problem = graft(output, scratch)
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    if problem:
        os.remove(output)
        sys.exit(f"link_with_pdb: {output}: {problem}")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except subprocess.CalledProcessError as e:
        sys.exit(e.returncode)
