#!/usr/bin/env python3
"""A zip archive of a folder that is the same, byte for byte, for the same files.

Usage: make_archive.py FOLDER TOP EPOCH ZIP

Every entry sits under the folder TOP/, in sorted order (folders with their
trailing slash), with the time EPOCH (seconds since 1970, as UTC), fixed
permissions (0644 files, 0755 folders) and no extra fields. Only the files'
bytes and names reach the archive: not their times, owners or the order in
which the file system lists them.
"""
import os
import sys
import time
import zipfile

FILE_MODE = 0o100644
FOLDER_MODE = 0o040755
MSDOS_DIRECTORY = 0x10
DOS_EPOCH = 315532800  # 1980-01-01, the earliest time a zip entry can hold


def entries(folder, top):
    """(name in the archive, path on disk or None for a folder), sorted by name."""
    found = [(top + "/", None)]
    for parent, folders, files in os.walk(folder):
        relative = os.path.relpath(parent, folder)
        prefix = top + "/" if relative == "." else top + "/" + relative.replace(os.sep, "/") + "/"
        found += [(prefix + name + "/", None) for name in folders]
        found += [(prefix + name, os.path.join(parent, name)) for name in files]
    return sorted(found, key=lambda entry: entry[0].encode("utf-8"))


def entry_info(name, stamp, is_folder):
    info = zipfile.ZipInfo(name, date_time=stamp)
    info.create_system = 3  # the permissions below are Unix modes
    if is_folder:
        info.external_attr = (FOLDER_MODE << 16) | MSDOS_DIRECTORY
        info.compress_type = zipfile.ZIP_STORED
    else:
        info.external_attr = FILE_MODE << 16
        info.compress_type = zipfile.ZIP_DEFLATED
    return info


def write_archive(folder, top, epoch, path):
    stamp = time.gmtime(max(epoch, DOS_EPOCH))[:6]
    with zipfile.ZipFile(path + ".part", "w") as archive:
        for name, source in entries(folder, top):
            info = entry_info(name, stamp, source is None)
            data = b""
            if source is not None:
                with open(source, "rb") as stream:
                    data = stream.read()
            archive.writestr(info, data, compresslevel=9)
    os.replace(path + ".part", path)


def main(argv):
    if len(argv) != 5:
        sys.stderr.write(__doc__)
        return 2
    folder, top, epoch, path = argv[1], argv[2], int(argv[3]), argv[4]
    if not os.path.isdir(folder):
        sys.stderr.write("make_archive: no folder %s\n" % folder)
        return 2
    write_archive(folder, top, epoch, path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
