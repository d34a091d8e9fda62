#!/usr/bin/env python3
"""The release archive writer gives the same bytes for the same files, whatever
their times, permissions or the order they were made in.

Usage: check_archive.py MAKE_ARCHIVE_PY
"""
import os
import subprocess
import sys
import tempfile
import time
import zipfile

FILES = {"Tavrin.dll": b"MZ module", "Config/Morvel_SCfg.xml": b"<skin/>", "Config/Default/a.png": b"\x89PNG",
         "lib/cmake/Tavrin/TavrinConfig.cmake": b"# package", "licenses/LICENSE.txt": b"text" * 1000}
EPOCH = 1765200000  # 2025-12-08 13:20:00 UTC


def make_folder(root, names, mtime, mode):
    for name in names:
        path = os.path.join(root, *name.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as stream:
            stream.write(FILES[name])
        os.chmod(path, mode)
        os.utime(path, (mtime, mtime))


def archive(tool, folder, epoch, path):
    subprocess.run([sys.executable, tool, folder, "Tavrin-9.9.9-win32", str(epoch), path], check=True)
    with open(path, "rb") as stream:
        return stream.read()


def main(tool):
    failures = []
    with tempfile.TemporaryDirectory() as work:
        one, two = os.path.join(work, "one"), os.path.join(work, "two")
        make_folder(one, sorted(FILES), 1000000000, 0o600)
        make_folder(two, sorted(FILES, reverse=True), time.time(), 0o755)
        first = archive(tool, one, EPOCH, os.path.join(work, "one.zip"))
        second = archive(tool, two, EPOCH, os.path.join(work, "two.zip"))
        if first != second:
            failures.append("the same files gave different archives")
        with zipfile.ZipFile(os.path.join(work, "one.zip")) as made:
            names = [info.filename for info in made.infolist()]
            if names != sorted(names, key=lambda name: name.encode()):
                failures.append("entries are not sorted: %s" % names)
            expected = {"Tavrin-9.9.9-win32/" + name for name in FILES}
            if {name for name in names if not name.endswith("/")} != expected:
                failures.append("entries %s instead of %s" % (names, sorted(expected)))
            if "Tavrin-9.9.9-win32/Config/Default/" not in names:
                failures.append("folder entries are missing")
            for info in made.infolist():
                if info.date_time != time.gmtime(EPOCH)[:6]:
                    failures.append("%s has the time %s" % (info.filename, info.date_time))
                mode = info.external_attr >> 16
                if mode not in (0o100644, 0o040755) or info.extra:
                    failures.append("%s has mode %o and extra %r" % (info.filename, mode, info.extra))
                if not info.filename.endswith("/") and made.read(info) != FILES[info.filename.split("/", 1)[1]]:
                    failures.append("%s does not hold its file's bytes" % info.filename)
        early = archive(tool, one, 0, os.path.join(work, "early.zip"))
        with zipfile.ZipFile(os.path.join(work, "early.zip")) as made:
            if made.infolist()[0].date_time != (1980, 1, 1, 0, 0, 0) or not early:
                failures.append("a time before 1980 is not the earliest zip time")
    for failure in failures:
        print("check_archive: " + failure)
    print("check_archive: %s" % ("FAILED" if failures else "archives are reproducible"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
