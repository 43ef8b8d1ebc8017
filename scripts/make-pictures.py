#!/usr/bin/env python3
"""Draws the program's pictures: the 32x32 16-colour application icon, the same icon as a 128x128
PNG for Linux desktop launchers, and the 16x16 16-colour open-folder bitmap of the browse buttons
(silver pixels are drawn transparent). Writes res/."""
import struct, sys, os, zlib

# The 16 colours of the standard Windows palette, as (r, g, b).
PAL = [(0,0,0),(128,0,0),(0,128,0),(128,128,0),(0,0,128),(128,0,128),(0,128,128),(192,192,192),
       (128,128,128),(255,0,0),(0,255,0),(255,255,0),(0,0,255),(255,0,255),(0,255,255),(255,255,255)]
K, DY, SILVER, GREY, YELLOW, BLUE, WHITE, NAVY, DG = 0, 3, 7, 8, 11, 12, 15, 4, 2

def icon():
    # A desktop tray (navy) with a yellow folder and a green arrow dropping into it.
    px = [[None]*32 for _ in range(32)]
    def rect(x0, y0, x1, y1, c):
        for y in range(y0, y1+1):
            for x in range(x0, x1+1):
                px[y][x] = c
    rect(2, 18, 29, 29, K); rect(3, 19, 28, 28, NAVY)
    rect(6, 14, 14, 16, K); rect(7, 15, 13, 16, DY)
    rect(6, 16, 25, 26, K); rect(7, 17, 24, 25, YELLOW); rect(7, 17, 24, 17, WHITE)
    rect(14, 2, 17, 9, K); rect(15, 2, 16, 9, DG)
    for i in range(5):
        rect(11+i, 9+i, 20-i, 9+i, K if i == 0 else DG)
    rect(15, 13, 16, 13, DG)
    return px

def folder():
    # An open folder; silver is the transparent colour.
    rows = [
        "................",
        "................",
        "..KKKK..........",
        ".KyyyyK.........",
        ".KyyyyyKKKKKKK..",
        ".KyyyyyyyyyyyK..",
        ".KyyyKKKKKKKKKKK",
        ".KyyKYYYYYYYYYYK",
        ".KyKYYYYYYYYYYK.",
        ".KyKYYYYYYYYYYK.",
        ".KKYYYYYYYYYYK..",
        ".KKYYYYYYYYYYK..",
        ".KKKKKKKKKKKK...",
        "................",
        "................",
        "................",
    ]
    m = {'.': SILVER, 'K': K, 'y': DY, 'Y': YELLOW}
    return [[m[c] for c in r] for r in rows]

def dib(px, with_mask):
    h, w = len(px), len(px[0])
    head = struct.pack('<IiiHHIIiiII', 40, w, h*2 if with_mask else h, 1, 4, 0, 0, 0, 0, 16, 0)
    pal = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PAL)
    stride = ((w*4 + 31)//32)*4
    bits = b''
    for y in reversed(range(h)):
        row = bytearray(stride)
        for x in range(w):
            c = px[y][x] or 0
            row[x//2] |= c << (4 if x % 2 == 0 else 0)
        bits += bytes(row)
    mask = b''
    if with_mask:
        mstride = ((w + 31)//32)*4
        for y in reversed(range(h)):
            row = bytearray(mstride)
            for x in range(w):
                if px[y][x] is None:
                    row[x//8] |= 0x80 >> (x % 8)
            mask += bytes(row)
    return head + pal + bits + mask

def png(px, scale):
    # RGBA, each icon pixel a scale x scale block; the icon's transparent pixels stay transparent.
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    raw = b''
    for row in px:
        line = b''.join(bytes(PAL[c]) + b'\xff' if c is not None else b'\0\0\0\0' for c in row)
        line = b''.join(line[i:i+4] * scale for i in range(0, len(line), 4))
        raw += (b'\0' + line) * scale
    head = struct.pack('>IIBBBBB', len(px[0]) * scale, len(px) * scale, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', head) + chunk(b'IDAT', zlib.compress(raw, 9)) +
            chunk(b'IEND', b''))

def main(out):
    img = dib(icon(), True)
    ico = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 32, 32, 16, 0, 1, 4, len(img), 22) + img
    open(os.path.join(out, 'Zorvik.ico'), 'wb').write(ico)
    open(os.path.join(out, 'Zorvik.png'), 'wb').write(png(icon(), 4))
    d = dib(folder(), False)
    bmp = b'BM' + struct.pack('<IHHI', 14 + len(d), 0, 0, 14 + 40 + 64) + d
    open(os.path.join(out, 'folder.bmp'), 'wb').write(bmp)

main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'res'))
