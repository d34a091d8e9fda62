#!/usr/bin/env python3
"""Copies a static library of GCC's with its unwind tables made visible to lld.

Usage: restore_unwind_symbols.py INPUT.a OUTPUT.a

GCC puts each inline or template function in a COMDAT section of its own,
.text$<name>, with its unwind table beside it in a COMDAT section named
.pdata$<name> (x86_64, with .xdata$<name>) or .eh_frame$<name> (i686). The
distribution strips the library with --strip-unneeded, which removes the
unwind tables' section symbols. GNU ld pairs the sections by name; lld only
reads a COMDAT section through its symbol, so it drops the unwind tables of
those functions, and an exception that passes through one of them (a
bad_alloc out of std::wstring's growth, say) cannot be unwound: the process
ends. This gives every such section back a section symbol that makes it
associative to its function's section, as an MSVC object would, and leaves
every other byte of the objects as it was.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

UNWIND_PREFIXES = (".pdata$", ".eh_frame$")
COMDAT = 0x1000
STATIC = 3
ASSOCIATIVE = 5
SYMBOL = 18


class CoffObject:
    def __init__(self, data):
        self.data = data
        (self.machine, self.section_count, _, self.symbols_at, self.symbol_count, optional,
         _) = struct.unpack_from("<HHIIIHH", data, 0)
        if self.machine not in (0x14C, 0x8664) or optional:
            raise ValueError("not a COFF object of x86 or x86_64")
        self.strings_at = self.symbols_at + SYMBOL * self.symbol_count
        size, = struct.unpack_from("<I", data, self.strings_at)
        if self.strings_at + size != len(data):
            raise ValueError("the string table does not end the file")
        self.strings = bytearray(data[self.strings_at:])
        self.sections = [self.section_header(i) for i in range(self.section_count)]

    def name(self, raw):
        if raw.startswith(b"/"):
            at = int(raw[1:].rstrip(b"\0"))
            return self.strings[at:self.strings.index(b"\0", at)].decode()
        return raw.rstrip(b"\0").decode()

    def section_header(self, i):
        at = 20 + 40 * i
        raw, = struct.unpack_from("<8s", self.data, at)
        size, relocations, flags = (struct.unpack_from("<I", self.data, at + 16)[0],
                                    struct.unpack_from("<H", self.data, at + 32)[0],
                                    struct.unpack_from("<I", self.data, at + 36)[0])
        return self.name(raw), size, relocations, flags

    def sections_with_symbols(self):
        found, i = set(), 0
        while i < self.symbol_count:
            at = self.symbols_at + SYMBOL * i
            section, = struct.unpack_from("<h", self.data, at + 12)
            storage, aux = struct.unpack_from("<BB", self.data, at + 16)
            if storage == STATIC and aux and section > 0:
                found.add(section)
            i += 1 + aux
        return found

    def symbol_name(self, text):
        encoded = text.encode()
        if len(encoded) <= 8:
            return encoded.ljust(8, b"\0")
        at = len(self.strings)
        self.strings += encoded + b"\0"
        return struct.pack("<II", 0, at)

    def restored(self):
        """The object with the missing symbols added, and how many it got."""
        by_name = {name: i + 1 for i, (name, _, _, flags) in enumerate(self.sections) if flags & COMDAT}
        have = self.sections_with_symbols()
        added = bytearray()
        count = 0
        for i, (name, size, relocations, flags) in enumerate(self.sections):
            number = i + 1
            if not (flags & COMDAT) or number in have or not name.startswith(UNWIND_PREFIXES):
                continue
            parent = by_name.get(".text$" + name.split("$", 1)[1])
            if parent is None:
                continue
            added += self.symbol_name(name) + struct.pack("<IhHBB", 0, number, 0, STATIC, 1)
            added += struct.pack("<IHHIHB3x", size, relocations, 0, 0, parent, ASSOCIATIVE)
            count += 1
        if not count:
            return self.data, 0
        struct.pack_into("<I", self.strings, 0, len(self.strings))
        header = bytearray(self.data[:20])
        struct.pack_into("<I", header, 12, self.symbol_count + 2 * count)
        body = self.data[20:self.strings_at]
        return bytes(header) + body + bytes(added) + bytes(self.strings), count


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, target = sys.argv[1], os.path.abspath(sys.argv[2])
    members = subprocess.run(["llvm-ar", "t", source], check=True, capture_output=True, text=True).stdout.split()
    if len(set(members)) != len(members):
        sys.exit(f"{source}: members share names; they cannot be extracted one by one")
    work = tempfile.mkdtemp()
    try:
        subprocess.run(["llvm-ar", "x", os.path.abspath(source)], check=True, cwd=work)
        total = 0
        for member in members:
            path = os.path.join(work, member)
            with open(path, "rb") as f:
                data, count = CoffObject(f.read()).restored()
            total += count
            with open(path, "wb") as f:
                f.write(data)
        if os.path.exists(target):
            os.remove(target)
        subprocess.run(["llvm-ar", "rcsD", target] + members, check=True, cwd=work)
    finally:
        shutil.rmtree(work)
    print(f"{os.path.basename(source)}: {total} unwind tables made visible")


if __name__ == "__main__":
    main()
