#!/usr/bin/env python3
"""Draws the program's pictures: the 32x32 16-colour application icon, the same icon as a 128x128
PNG for Linux desktop launchers, the 16-colour open-folder bitmap of the browse buttons (silver
pixels are drawn transparent) at 16x16 and at 20, 24 and 32 pixels, and the 350x100 256-colour
banner of the version window, also drawn at 120, 144 and 192 dpi (438x125, 525x150, 700x200).
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

# The open folder of the browse buttons at each size it is drawn at: 16x16 at 96 dpi and
# 20, 24 and 32 pixels for 120, 144 and 192 dpi. Each size is drawn by hand on its own pixel grid,
# so edges stay one whole pixel (two at 32) and the slants step evenly instead of smearing, while
# the folder keeps the same share of the square: left margin, tab, dark back, yellow front.
# '.' is silver, the colour the buttons show as transparent; it is the only silver used.
FOLDERS = {
    16: [
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
    ],
    20: [
        "....................",
        "....................",
        "..KKKKK.............",
        ".KyyyyyK............",
        ".KyyyyyyK...........",
        ".KyyyyyyyKKKKKKKKK..",
        ".KyyyyyyyyyyyyyyyK..",
        ".KyyyyKKKKKKKKKKKKKK",
        ".KyyyKYYYYYYYYYYYYYK",
        ".KyyKYYYYYYYYYYYYYK.",
        ".KyyKYYYYYYYYYYYYYK.",
        ".KyKYYYYYYYYYYYYYK..",
        ".KyKYYYYYYYYYYYYYK..",
        ".KKYYYYYYYYYYYYYK...",
        ".KKYYYYYYYYYYYYYK...",
        ".KKKKKKKKKKKKKKK....",
        "....................",
        "....................",
        "....................",
        "....................",
    ],
    24: [
        "........................",
        "........................",
        "........................",
        "..KKKKKKK...............",
        ".KyyyyyyyK..............",
        ".KyyyyyyyyK.............",
        ".KyyyyyyyyyKKKKKKKKKK...",
        ".KyyyyyyyyyyyyyyyyyyK...",
        ".KyyyyyyyyyyyyyyyyyyK...",
        ".KyyyyyKKKKKKKKKKKKKKKKK",
        ".KyyyyKYYYYYYYYYYYYYYYYK",
        ".KyyyKYYYYYYYYYYYYYYYYK.",
        ".KyyyKYYYYYYYYYYYYYYYYK.",
        ".KyyKYYYYYYYYYYYYYYYYK..",
        ".KyyKYYYYYYYYYYYYYYYYK..",
        ".KyKYYYYYYYYYYYYYYYYK...",
        ".KyKYYYYYYYYYYYYYYYYK...",
        ".KKYYYYYYYYYYYYYYYYK....",
        ".KKYYYYYYYYYYYYYYYYK....",
        ".KKKKKKKKKKKKKKKKKK.....",
        "........................",
        "........................",
        "........................",
        "........................",
    ],
    32: [
        "................................",
        "................................",
        "................................",
        "................................",
        "....KKKKKKKK....................",
        "...KKKKKKKKKK...................",
        "..KKyyyyyyyKKK..................",
        "..KKyyyyyyyyKKK.................",
        "..KKyyyyyyyyyKKKKKKKKKKKKKKK....",
        "..KKyyyyyyyyyyKKKKKKKKKKKKKK....",
        "..KKyyyyyyyyyyyyyyyyyyyyyyKK....",
        "..KKyyyyyyyyyyyyyyyyyyyyyyKK....",
        "..KKyyyyyKKKKKKKKKKKKKKKKKKKKKKK",
        "..KKyyyyyKKKKKKKKKKKKKKKKKKKKKKK",
        "..KKyyyyKKYYYYYYYYYYYYYYYYYYYYKK",
        "..KKyyyyKKYYYYYYYYYYYYYYYYYYYYKK",
        "..KKyyyKKYYYYYYYYYYYYYYYYYYYYKK.",
        "..KKyyyKKYYYYYYYYYYYYYYYYYYYYKK.",
        "..KKyyKKYYYYYYYYYYYYYYYYYYYYKK..",
        "..KKyyKKYYYYYYYYYYYYYYYYYYYYKK..",
        "..KKyKKYYYYYYYYYYYYYYYYYYYYKK...",
        "..KKyKKYYYYYYYYYYYYYYYYYYYYKK...",
        "..KKKKYYYYYYYYYYYYYYYYYYYYKK....",
        "..KKKKYYYYYYYYYYYYYYYYYYYYKK....",
        "..KKKKKKKKKKKKKKKKKKKKKKKKK.....",
        "..KKKKKKKKKKKKKKKKKKKKKKKKK.....",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
    ],
}

def folder(size=16):
    # An open folder, size x size pixels; silver is the transparent colour.
    m = {'.': SILVER, 'K': K, 'y': DY, 'Y': YELLOW}
    rows = FOLDERS[size]
    assert len(rows) == size and all(len(r) == size for r in rows)
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

def banner(dpi=96):
    # A night-blue sky fading to teal, a desk line, files dropping into sorted folders, and the
    # product's name; 350x100 at 96 dpi, and the same picture drawn afresh at dpi / 96 (not a
    # stretch of the 96 dpi one). Colours 16..255 of the table are the gradient; 0..15 the
    # standard ones.
    def S(v):
        # v units of the 96 dpi picture, in pixels at this dpi, rounded half up.
        return (2 * v * dpi + 96) // 192
    t = max(1, dpi // 96)  # outline and string width: a whole pixel count, the same everywhere
    w, h = S(350), S(100)
    pal = list(PAL)
    for i in range(240):
        f = i / 239
        pal.append((int(16 + 24*f), int(32 + 120*f), int(96 + 100*f)))
    px = [[16 + (y * 239) // (h - 1) for x in range(w)] for y in range(h)]
    def fill(x0, y0, x1, y1, c):
        # Pixels x0 <= x < x1, y0 <= y < y1.
        for y in range(max(0, y0), min(h, y1)):
            for x in range(max(0, x0), min(w, x1)):
                px[y][x] = c
    def box(x0, y0, x1, y1, c):
        # A black-outlined box filled with c.
        fill(x0, y0, x1, y1, K); fill(x0 + t, y0 + t, x1 - t, y1 - t, c)
    fill(0, S(84), w, S(86), WHITE)
    for i, (x, c) in enumerate([(196, YELLOW), (240, 14), (284, 10)]):
        # The folder's body, then its tab, whose fill runs down through the body's top edge.
        body_top = S(58)
        box(S(x), body_top, S(x+35), S(84), c)
        fill(S(x), S(52), S(x+15), body_top + t, K)
        fill(S(x) + t, S(52) + t, S(x+15) - t, body_top + t, c)
        # The file above it and the string it hangs on, centred under the file.
        fy = 14 + 12*i
        fx0, fx1 = S(x+10), S(x+25)
        box(fx0, S(fy), fx1, S(fy+19), WHITE)
        sx = fx0 + (fx1 - fx0 - t) // 2
        fill(sx, S(fy+21), sx + t, S(50), WHITE)
    # Block lettering: every block of a glyph is the same whole number of pixels, so the strokes
    # stay even; each letter starts where the 96 dpi one does, scaled.
    bw, bh, top = S(5), S(6), S(26)
    for n, ch in enumerate("Zorvik"):
        x = S(14 + 30*n)
        for gy, row in enumerate(GLYPHS[ch]):
            for gx, c in enumerate(row):
                if c == '#':
                    fill(x + gx*bw, top + gy*bh, x + (gx+1)*bw, top + (gy+1)*bh, WHITE)
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
    # The pictures for 96 dpi keep their names; the larger ones carry their size (folder) or
    # their dpi (banner).
    for size, name in [(16, 'folder.bmp'), (20, 'folder-20.bmp'), (24, 'folder-24.bmp'),
                       (32, 'folder-32.bmp')]:
        d = dib(folder(size), False)
        bmp = b'BM' + struct.pack('<IHHI', 14 + len(d), 0, 0, 14 + 40 + 64) + d
        open(os.path.join(out, name), 'wb').write(bmp)
    for dpi, name in [(96, 'banner.bmp'), (120, 'banner-120.bmp'), (144, 'banner-144.bmp'),
                      (192, 'banner-192.bmp')]:
        open(os.path.join(out, name), 'wb').write(banner(dpi))

main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'res'))
