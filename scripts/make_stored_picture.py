#!/usr/bin/env python3
"""Writes ui/stored_picture.jpg, the picture the main window shows.

A 200x200 baseline JPEG (8-bit, Y/Cb/Cr each sampled 1x1, two quantisation
and four Huffman tables). Its APP0 segment holds 14 bytes of text and no JFIF
identifier, and an Exif APP1 segment follows it. Only the top-left 168x112
shows in the window, so everything worth seeing is drawn there.
Needs ImageMagick (/usr/bin/convert) and the WenQuanYi Micro Hei font.
Run it again only to change the picture."""
import struct
import subprocess
import sys
import tempfile

FONT = '/usr/share/fonts/truetype/wqy/wqy-microhei.ttc'
APP0_TEXT = b'CF window tool'   # 14 bytes, no JFIF identifier


def draw(path):
    subprocess.run([
        '/usr/bin/convert', '-size', '200x200', 'gradient:#10213f-#e0703a',
        # hills against the evening sky
        '-fill', '#1b1f2a', '-draw', 'polygon 0,200 0,92 30,80 62,96 96,74 130,90 168,70 200,84 200,200',
        '-fill', '#2a3140', '-draw', 'polygon 0,200 0,104 40,96 84,108 120,98 168,106 200,100 200,200',
        # a crosshair on the right of the visible part
        '-fill', 'none', '-stroke', '#ff3b30', '-strokewidth', '3',
        '-draw', 'circle 128,52 128,30',
        '-strokewidth', '2',
        '-draw', 'line 128,22 128,44', '-draw', 'line 128,60 128,82',
        '-draw', 'line 98,52 120,52', '-draw', 'line 136,52 158,52',
        '-stroke', 'none', '-fill', '#ff3b30', '-draw', 'circle 128,52 128,54',
        # the key to press
        '-font', FONT, '-fill', '#ffffff', '-pointsize', '40',
        '-draw', 'text 10,62 "F5"',
        '-pointsize', '15', '-fill', '#ffd27a', '-draw', "text 10,84 '窗口化'",
        '-pointsize', '11', '-fill', '#c9d4ea', '-draw', "text 10,100 '800×600'",
        '-strip', '-sampling-factor', '1x1', '-quality', '92',
        '-define', 'jpeg:optimize-coding=true', '-interlace', 'none',
        'jpeg:' + path], check=True)


def exif_segment():
    """An Exif APP1 with a little-endian TIFF IFD; its length field is 198."""
    text = b'CF window tool: F5 puts the game in a window\0'
    entries = [(0x010E, 2, len(text), 0)]          # ImageDescription
    ifd_size = 2 + 12 * len(entries) + 4
    data_offset = 8 + ifd_size
    tiff = b'II*\0' + struct.pack('<I', 8) + struct.pack('<H', len(entries))
    for tag, kind, count, _ in entries:
        tiff += struct.pack('<HHII', tag, kind, count, data_offset)
    tiff += struct.pack('<I', 0) + text
    payload = b'Exif\0\0' + tiff
    payload += b'\0' * (196 - len(payload))
    assert len(payload) == 196
    return b'\xFF\xE1' + struct.pack('>H', len(payload) + 2) + payload


def segments(jpeg):
    """Splits a JPEG into its marker segments up to SOS, and the rest."""
    assert jpeg[:2] == b'\xFF\xD8'
    pos, out = 2, []
    while True:
        marker = jpeg[pos:pos + 2]
        if marker == b'\xFF\xDA':
            return out, jpeg[pos:]
        length = struct.unpack('>H', jpeg[pos + 2:pos + 4])[0]
        out.append(jpeg[pos:pos + 2 + length])
        pos += 2 + length


def main(path):
    with tempfile.NamedTemporaryFile(suffix='.jpg') as tmp:
        draw(tmp.name)
        raw = open(tmp.name, 'rb').read()
    segs, rest = segments(raw)
    kept = [s for s in segs if not (0xE0 <= s[1] <= 0xEF)]  # drop every APPn
    app0 = b'\xFF\xE0' + struct.pack('>H', len(APP0_TEXT) + 2) + APP0_TEXT
    out = b'\xFF\xD8' + app0 + exif_segment() + b''.join(kept) + rest
    # What the window relies on.
    assert sum(1 for s in kept if s[1] == 0xC0) == 1
    assert sum(s.count(b'\xFF\xC4') for s in kept) >= 1
    open(path, 'wb').write(out)
    print(path, len(out), 'bytes')


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'ui/stored_picture.jpg')
