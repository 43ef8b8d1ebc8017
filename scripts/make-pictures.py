#!/usr/bin/env python3
"""Draws the program's pictures: the 32x32 16-colour application icon, the same icon as a 128x128
PNG for Linux desktop launchers, the 16x16 16-colour open-folder bitmap of the browse buttons
(silver pixels are drawn transparent) and the 350x100 256-colour banner of the version window.
Writes res/."""
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

# 5x7 capitals for the banner's lettering.
GLYPHS = {
    'Z': ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    'o': [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    'r': [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    'v': [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    'i': ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    'k': ["#....", "#....", "#..#.", "#.#..", "##...", "#.#..", "#..#."],
}

def banner():
    # A night-blue sky fading to teal, a desk line, files dropping into sorted folders, and the
    # product's name. Colours 16..255 of the table are the gradient; 0..15 the standard ones.
    w, h = 350, 100
    pal = list(PAL)
    for i in range(240):
        t = i / 239
        pal.append((int(16 + 24*t), int(32 + 120*t), int(96 + 100*t)))
    px = [[16 + (y * 239) // (h - 1) for x in range(w)] for y in range(h)]
    def rect(x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(h, y1+1)):
            for x in range(max(0, x0), min(w, x1+1)):
                px[y][x] = c
    rect(0, 84, w-1, 85, WHITE)
    for i, (x, c) in enumerate([(196, YELLOW), (240, 14), (284, 10)]):
        rect(x, 58, x+34, 83, K); rect(x+1, 59, x+33, 82, c); rect(x, 52, x+14, 58, K)
        rect(x+1, 53, x+13, 58, c)
        fy = 14 + 12*i
        rect(x+10, fy, x+24, fy+18, K); rect(x+11, fy+1, x+23, fy+17, WHITE)
        rect(x+17, fy+21, x+17, 49, WHITE)
    x = 14
    for ch in "Zorvik":
        g = GLYPHS[ch]
        for gy, row in enumerate(g):
            for gx, c in enumerate(row):
                if c == '#':
                    rect(x + gx*5, 26 + gy*6, x + gx*5 + 4, 26 + gy*6 + 5, WHITE)
        x += 30
    head = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 0, 0, 0, 0, 256, 0)
    table = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in pal)
    stride = (w + 3) // 4 * 4
    bits = b''.join(bytes(px[y]) + bytes(stride - w) for y in reversed(range(h)))
    d = head + table + bits
    return b'BM' + struct.pack('<IHHI', 14 + len(d), 0, 0, 14 + 40 + 1024) + d

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
    open(os.path.join(out, 'banner.bmp'), 'wb').write(banner())

main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'res'))
