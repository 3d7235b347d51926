#!/usr/bin/env python3
"""Checks the release archive a player downloads.

Usage: check_release.py SOURCE_DIR RELEASE_EXE

Packs the archive twice, from copies of its inputs in two different
folders, and requires byte-identical results. Then checks the archive: its
entries (ASCII names, in order), that SHA256SUMS.txt matches the other two,
that the exe inside is RELEASE_EXE byte for byte, that the guide decodes as
code page 936 with CRLF line ends and names F5, the tool's window title and
the version, and that the exe's version resource carries the same version
as the file VERSION. Prints one line per check and exits 1 when one fails."""
import hashlib
import io
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_exe import Pe, RT_VERSION, check  # noqa: E402
import check_exe  # noqa: E402

TITLE = '岫舟专用CF窗口化工具'
ENTRIES = ['cfwindow.exe', 'readme.txt', 'SHA256SUMS.txt']


def pack(source, exe, folder):
    """Packs from copies of the inputs placed in `folder`, run from there."""
    os.makedirs(os.path.join(folder, 'in'))
    for name in ('VERSION', os.path.join('release', 'readme.txt.in'), os.path.join('scripts', 'package_release.py')):
        shutil.copy(os.path.join(source, name), os.path.join(folder, 'in', os.path.basename(name)))
    shutil.copy(exe, os.path.join(folder, 'in', 'cfwindow.exe'))
    out = os.path.join(folder, 'out.zip')
    subprocess.run([sys.executable, 'in/package_release.py', 'in/cfwindow.exe', 'in/readme.txt.in',
                    'in/VERSION', 'out.zip'], cwd=folder, check=True)
    with open(out, 'rb') as f:
        return f.read()


def file_version(exe_bytes):
    blob = Pe(exe_bytes).resources()[RT_VERSION][0][1]
    at = blob.index(struct.pack('<I', 0xFEEF04BD))
    ms, ls = struct.unpack_from('<II', blob, at + 8)
    return '%d.%d.%d.%d' % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)


def main(source, release_exe):
    with open(os.path.join(source, 'VERSION')) as f:
        version = f.read().strip()
    with open(release_exe, 'rb') as f:
        exe = f.read()
    with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
        first = pack(source, release_exe, os.path.join(a, 'one'))
        second = pack(source, release_exe, os.path.join(b, 'another', 'folder'))
    check(first == second, 'two packings in different folders give the same bytes (%d bytes, sha256 %s)'
          % (len(first), hashlib.sha256(first).hexdigest()))

    archive = zipfile.ZipFile(io.BytesIO(first))
    infos = archive.infolist()
    check([i.filename for i in infos] == ENTRIES, 'entries in order: %s' % [i.filename for i in infos])
    check(all(i.filename.isascii() and not i.flag_bits & 0x800 for i in infos), 'ASCII entry names')
    check(all(i.date_time == (1980, 1, 1, 0, 0, 0) and not i.extra for i in infos),
          'fixed timestamps, no extra fields')
    data = {i.filename: archive.read(i) for i in infos}
    check(archive.testzip() is None, 'CRCs of all entries')

    check(data.get('cfwindow.exe') == exe, 'the exe inside is the release exe byte for byte')
    sums = data.get('SHA256SUMS.txt', b'').decode('ascii').split('\r\n')
    expected = ['%s *%s' % (hashlib.sha256(data.get(n, b'')).hexdigest(), n) for n in ENTRIES[:2]]
    check(sums == expected + [''], 'SHA256SUMS.txt matches the exe and the guide')

    guide_bytes = data.get('readme.txt', b'')
    try:
        guide = guide_bytes.decode('cp936')
    except UnicodeDecodeError as e:
        guide = ''
        check(False, 'guide decodes as code page 936: %s' % e)
    check(b'\n' not in guide_bytes.replace(b'\r\n', b''), 'guide has CRLF line ends only')
    check(TITLE in guide and 'F5' in guide, 'guide names the window title and F5')
    check(version in guide.splitlines()[0], 'guide names version %s in its first line' % version)
    check('certutil -hashfile cfwindow.exe SHA256' in guide, 'guide tells how to check the download')

    check(file_version(exe) == version + '.0', 'exe version resource %s matches VERSION %s'
          % (file_version(exe), version))
    return 1 if check_exe.failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2]))
