#!/usr/bin/env python3
"""Checks a built program exe as a player's Windows would load it.

Usage: check_exe.py EXE {i386|x86-64}
PE32 (i386) or PE32+ (x86-64); GUI subsystem; imports from system DLLs only;
the window-text and window-class functions imported in their ANSI form and
never the wide one; no manifest resource and no DPI-awareness call; an icon
group with a 32x32 and a 16x16 image at 24 bits per pixel; a version resource.
Prints one line per check and exits 1 when one fails."""
import struct
import subprocess
import sys

SYSTEM_DLLS = {'kernel32.dll', 'user32.dll', 'gdi32.dll', 'ole32.dll', 'msvcrt.dll'}
# Functions with an ANSI and a wide form that the program must use as ANSI.
ANSI_PAIRS = ['CreateWindowEx', 'RegisterClass', 'GetClassInfo', 'DefWindowProc', 'GetMessage',
              'DispatchMessage', 'SendMessage', 'PostMessage', 'SetWindowText', 'GetWindowText',
              'GetWindowTextLength', 'GetClassName', 'SetWindowLong', 'GetWindowLong',
              'SetWindowLongPtr', 'GetWindowLongPtr', 'DrawText', 'MessageBox',
              'EnumDisplaySettings', 'ChangeDisplaySettings', 'LoadCursor', 'GetModuleFileName',
              'SetCurrentDirectory', 'CreateIconFromResourceEx']
MUST_IMPORT = ['CreateWindowExA', 'RegisterClassA', 'GetMessageA', 'DispatchMessageA',
               'SetWindowTextA', 'GetWindowTextA', 'GetClassNameA', 'SetWindowLongA',
               'DrawTextA', 'EnumDisplaySettingsA', 'ChangeDisplaySettingsA', 'MessageBoxA']
DPI_CALLS = {'SetProcessDPIAware', 'SetProcessDpiAwareness', 'SetProcessDpiAwarenessContext',
             'SetThreadDpiAwarenessContext'}
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24

failures = 0


def check(ok, what):
    global failures
    print(('ok    ' if ok else 'FAIL  ') + what)
    if not ok:
        failures += 1


class Pe:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from('<I', data, 0x3C)[0]
        assert data[pe:pe + 4] == b'PE\0\0', 'no PE signature'
        self.machine, nsections, _, _, _, opt_size, _ = struct.unpack_from('<HHIIIHH', data, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from('<H', data, opt)[0]
        self.subsystem = struct.unpack_from('<H', data, opt + 68)[0]
        dirs = opt + (96 if self.magic == 0x10B else 112)
        self.dirs = [struct.unpack_from('<II', data, dirs + 8 * i) for i in range(16)]
        self.sections = []
        for i in range(nsections):
            s = opt + opt_size + 40 * i
            name = data[s:s + 8].rstrip(b'\0').decode()
            vsize, va, rawsize, rawptr = struct.unpack_from('<IIII', data, s + 8)
            self.sections.append((name, va, max(vsize, rawsize), rawptr))

    def offset(self, rva):
        for _, va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError('rva %x outside the sections' % rva)

    def resources(self):
        """{type: [(name or id, data bytes)]} from the resource directory."""
        rva = self.dirs[2][0]
        if not rva:
            return {}
        base = self.offset(rva)

        def entries(at):
            named, ids = struct.unpack_from('<HH', self.data, at + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from('<II', self.data, at + 16 + 8 * i)
                yield name, target

        out = {}
        for rtype, t in entries(base):
            for rname, n in entries(base + (t & 0x7FFFFFFF)):
                for _, l in entries(base + (n & 0x7FFFFFFF)):
                    data_rva, size = struct.unpack_from('<II', self.data, base + l)
                    at = self.offset(data_rva)
                    out.setdefault(rtype, []).append((rname, self.data[at:at + size]))
        return out


def imports(exe):
    """{dll (lower case): [function names]} as objdump reads them."""
    text = subprocess.run(['x86_64-w64-mingw32-objdump', '-p', exe], capture_output=True, text=True, check=True).stdout
    out, dll = {}, None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith('DLL Name:'):
            dll = line.split(':', 1)[1].strip().lower()
            out[dll] = []
        elif dll and line and line[0] in '0123456789abcdef' and len(line.split()) == 3:
            out[dll].append(line.split()[2])
        elif not line:
            continue
        elif line.startswith('vma:'):
            continue
        else:
            dll = None if line.startswith('The') else dll
    return out


def main(exe, arch):
    data = open(exe, 'rb').read()
    pe = Pe(data)
    if arch == 'i386':
        check(pe.machine == 0x14C and pe.magic == 0x10B, 'PE32 for i386')
    else:
        check(pe.machine == 0x8664 and pe.magic == 0x20B, 'PE32+ for x86-64')
    check(pe.subsystem == 2, 'GUI subsystem')

    imported = imports(exe)
    check(bool(imported) and set(imported) <= SYSTEM_DLLS,
          'imports only system DLLs: ' + ', '.join(sorted(imported)))
    names = {f for fs in imported.values() for f in fs}
    wide = sorted(n + 'W' for n in ANSI_PAIRS if n + 'W' in names)
    check(not wide, 'no wide window-text or window-class function' + (': ' + ', '.join(wide) if wide else ''))
    missing = [n for n in MUST_IMPORT if n not in names]
    check(not missing, 'ANSI window functions imported' + (': missing ' + ', '.join(missing) if missing else ''))
    check(not (names & DPI_CALLS), 'no DPI-awareness call')

    res = pe.resources()
    check(RT_MANIFEST not in res, 'no manifest resource')
    check(RT_VERSION in res, 'version resource')
    groups = res.get(RT_GROUP_ICON, [])
    icons = {name: blob for name, blob in res.get(RT_ICON, [])}
    found = set()
    if groups:
        blob = groups[0][1]
        count = struct.unpack_from('<H', blob, 4)[0]
        for i in range(count):
            w, h, _, _, _, bpp, size, icon_id = struct.unpack_from('<BBBBHHIH', blob, 6 + 14 * i)
            image = icons.get(icon_id, b'')
            header_bpp = struct.unpack_from('<H', image, 14)[0] if len(image) >= 16 else 0
            if bpp == 24 and header_bpp == 24 and len(image) == size:
                found.add((w or 256, h or 256))
    check(found == {(32, 32), (16, 16)}, 'icon group: 32x32 and 16x16 at 24 bpp, found %s' % sorted(found))
    print('size %d bytes' % len(data))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2]))
