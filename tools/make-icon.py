#!/usr/bin/env python3
"""Writes the program's icon (16, 32 and 48 pixels, 32-bit) to the given path:
a white "play" triangle over a blue disc, the bar's colours."""
import struct
import sys


def image(size):
    pixels = []
    c = (size - 1) / 2.0
    r = size / 2.0 - 0.5
    for y in range(size - 1, -1, -1):  # bottom-up rows
        for x in range(size):
            dx, dy = x - c, y - c
            inside = dx * dx + dy * dy <= r * r
            # triangle pointing right, centred
            tx = (x - size * 0.36) / (size * 0.40)
            ty = abs(y - c) / (size * 0.30)
            tri = 0 <= tx <= 1 and ty <= 1 - tx
            if tri and inside:
                pixels.append((255, 255, 255, 255))
            elif inside:
                pixels.append((200, 90, 20, 255))  # BGRA: a deep blue
            else:
                pixels.append((0, 0, 0, 0))
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(struct.pack('BBBB', *p) for p in pixels)
    mask_row = ((size + 31) // 32) * 4
    and_mask = b'\0' * (mask_row * size)
    return header + xor + and_mask


def main(path):
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1])
