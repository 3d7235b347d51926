#!/usr/bin/env python3
"""Packs the release archive a player downloads.

Usage: package_release.py EXE GUIDE_TEMPLATE VERSION_FILE OUT_ZIP

The archive holds, in this order: cfwindow.exe (the bytes of EXE),
readme.txt (the player's guide: GUIDE_TEMPLATE, UTF-8, with @VERSION@
replaced, written in code page 936 with CRLF line ends, as Notepad on a
Chinese Windows reads it) and SHA256SUMS.txt (the checksums of the two).
Entry names are ASCII: older Windows read zip entry names in the OEM code
page. The same inputs give the same bytes: fixed order, fixed timestamps,
fixed attributes, no extra fields."""
import hashlib
import sys
import zipfile

ENTRY_TIME = (1980, 1, 1, 0, 0, 0)  # the earliest a zip entry can carry


def read_version(path):
    with open(path, encoding='ascii') as f:
        version = f.read().strip()
    parts = version.split('.')
    if len(parts) != 3 or not all(p.isdigit() for p in parts):
        raise SystemExit('%s: expected MAJOR.MINOR.PATCH, found %r' % (path, version))
    return version


def guide_bytes(template_path, version):
    with open(template_path, encoding='utf-8') as f:
        text = f.read().replace('@VERSION@', version)
    lines = text.replace('\r\n', '\n').split('\n')
    return '\r\n'.join(lines).encode('cp936')  # fails loudly on a character 936 lacks


def entry(name, data):
    info = zipfile.ZipInfo(name, date_time=ENTRY_TIME)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0      # MS-DOS: attributes below are DOS attributes
    info.external_attr = 0x20   # FILE_ATTRIBUTE_ARCHIVE
    return info, data


def main(argv):
    if len(argv) != 5:
        raise SystemExit(__doc__)
    exe_path, template_path, version_path, out_path = argv[1:]
    version = read_version(version_path)
    with open(exe_path, 'rb') as f:
        exe = f.read()
    guide = guide_bytes(template_path, version)
    sums = ''.join('%s *%s\r\n' % (hashlib.sha256(data).hexdigest(), name)
                   for name, data in (('cfwindow.exe', exe), ('readme.txt', guide)))
    files = [entry('cfwindow.exe', exe), entry('readme.txt', guide),
             entry('SHA256SUMS.txt', sums.encode('ascii'))]
    with zipfile.ZipFile(out_path, 'w') as archive:
        for info, data in files:
            archive.writestr(info, data, compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)


if __name__ == '__main__':
    main(sys.argv)
