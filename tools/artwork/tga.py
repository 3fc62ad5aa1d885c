"""Writes 32-bit TGA images with alpha, stored bottom-up, run-length encoded
whenever that comes out smaller than the plain pixel data."""

import struct


def straight_bgra_rows(surface):
    """Rows of a cairo ARGB32 surface, top row first, as straight (not
    premultiplied) B, G, R, A bytes. Fully transparent pixels become 0, 0, 0, 0."""
    surface.flush()
    width, height, stride = surface.get_width(), surface.get_height(), surface.get_stride()
    data = bytes(surface.get_data())
    rows = []
    for y in range(height):
        row = bytearray(data[y * stride:y * stride + width * 4])
        for i in range(0, width * 4, 4):
            alpha = row[i + 3]
            if alpha == 255:
                continue
            if alpha == 0:
                row[i] = row[i + 1] = row[i + 2] = 0
                continue
            for c in range(3):
                row[i + c] = min(255, (row[i + c] * 255 + alpha // 2) // alpha)
        rows.append(bytes(row))
    return rows


def rle_row(row):
    """One row as TGA run-length packets; no packet crosses the end of the row."""
    pixels = [row[i:i + 4] for i in range(0, len(row), 4)]
    out = bytearray()
    i, n = 0, len(pixels)
    while i < n:
        run = 1
        while i + run < n and run < 128 and pixels[i + run] == pixels[i]:
            run += 1
        if run > 1:
            out.append(0x80 | (run - 1))
            out += pixels[i]
            i += run
            continue
        start = i
        i += 1
        while i < n and i - start < 128 and not (i + 1 < n and pixels[i + 1] == pixels[i]):
            i += 1
        out.append(i - start - 1)
        for p in pixels[start:i]:
            out += p
    return bytes(out)


def header(image_type, width, height):
    # Descriptor 8: eight alpha bits, origin bottom-left (bits 4-5 clear).
    return struct.pack("<BBBHHBHHHHBB", 0, 0, image_type, 0, 0, 0, 0, 0,
                       width, height, 32, 8)


def encode(width, height, rows_top_first):
    """The TGA file for rows given top row first; smaller of plain and RLE."""
    if not (0 < width <= 0xFFFF and 0 < height <= 0xFFFF):
        raise ValueError("image size %dx%d outside the TGA limits" % (width, height))
    bottom_up = list(reversed(rows_top_first))
    plain = header(2, width, height) + b"".join(bottom_up)
    packed = header(10, width, height) + b"".join(rle_row(r) for r in bottom_up)
    return packed if len(packed) < len(plain) else plain


def write_surface(path, surface):
    data = encode(surface.get_width(), surface.get_height(), straight_bgra_rows(surface))
    with open(path, "wb") as f:
        f.write(data)


def decode(data):
    """(width, height, rows top row first as straight B, G, R, A bytes) of a
    32-bit TGA, plain or run-length encoded, stored bottom-up."""
    if len(data) < 18:
        raise ValueError("TGA header is cut short")
    id_length, map_type, image_type = data[0], data[1], data[2]
    width, height = struct.unpack_from("<HH", data, 12)
    depth, descriptor = data[16], data[17]
    if map_type != 0 or image_type not in (2, 10) or depth != 32 or (descriptor & 15) != 8:
        raise ValueError("not a 32-bit true-colour TGA with alpha")
    pos = 18 + id_length
    rows = []
    for _ in range(height):
        row = bytearray()
        if image_type == 2:
            row += data[pos:pos + width * 4]
            pos += width * 4
        else:
            while len(row) < width * 4:
                if pos >= len(data):
                    raise ValueError("TGA pixel data is cut short")
                packet = data[pos]
                pos += 1
                count = (packet & 0x7F) + 1
                if packet & 0x80:
                    row += data[pos:pos + 4] * count
                    pos += 4
                else:
                    row += data[pos:pos + 4 * count]
                    pos += 4 * count
        if len(row) != width * 4:
            raise ValueError("TGA row does not end on a packet boundary")
        rows.append(bytes(row))
    rows.reverse()
    if descriptor & 0x20:
        rows.reverse()
    return width, height, rows


def to_surface(width, height, rows):
    """A cairo ARGB32 surface (premultiplied) from straight B, G, R, A rows."""
    import cairo
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    stride = surface.get_stride()
    buffer = surface.get_data()
    for y, row in enumerate(rows):
        out = bytearray(row)
        for i in range(0, len(out), 4):
            alpha = out[i + 3]
            if alpha != 255:
                for c in range(3):
                    out[i + c] = (out[i + c] * alpha + 127) // 255
        buffer[y * stride:y * stride + width * 4] = bytes(out)
    surface.mark_dirty()
    return surface


def read_surface(path):
    with open(path, "rb") as f:
        return to_surface(*decode(f.read()))
