#!/usr/bin/python3
"""Tests of the TGA writer of tools/artwork: what it writes reads back pixel
for pixel, runs never cross a row end, and it picks the smaller encoding."""

import os
import struct
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..",
                                "tools", "artwork"))
import tga  # noqa: E402


def pixel(b, g, r, a):
    return bytes((b, g, r, a))


def packets(row):
    """(is_run, count) for each packet of an encoded row."""
    out, at = [], 0
    while at < len(row):
        count = (row[at] & 0x7F) + 1
        is_run = bool(row[at] & 0x80)
        out.append((is_run, count))
        at += 1 + (4 if is_run else 4 * count)
    return out


class TgaWriterTest(unittest.TestCase):
    def round_trip(self, width, rows):
        data = tga.encode(width, len(rows), rows)
        w, h, back = tga.decode(data)
        self.assertEqual((w, h), (width, len(rows)))
        self.assertEqual(back, rows)
        return data

    def test_header_says_32_bits_with_alpha_and_bottom_up(self):
        data = tga.encode(3, 2, [pixel(1, 2, 3, 4) * 3, pixel(5, 6, 7, 8) * 3])
        id_length, map_type, image_type = data[0], data[1], data[2]
        width, height = struct.unpack_from("<HH", data, 12)
        self.assertEqual((id_length, map_type), (0, 0))
        self.assertIn(image_type, (2, 10))
        self.assertEqual((width, height, data[16], data[17]), (3, 2, 32, 8))

    def test_rows_are_stored_bottom_row_first(self):
        top, bottom = pixel(9, 9, 9, 255), pixel(1, 2, 3, 255)
        data = tga.encode(1, 2, [top, bottom])
        self.assertEqual(data[2], 2, "two single pixels are smaller uncompressed")
        self.assertEqual(data[18:22], bottom)
        self.assertEqual(data[22:26], top)

    def test_long_runs_and_long_literals_split_at_128_and_stop_at_row_ends(self):
        run = pixel(0, 0, 0, 0) * 300
        literal = b"".join(pixel(i % 256, i // 256, 7, 255) for i in range(300))
        mixed = pixel(1, 1, 1, 1) * 2 + literal[:12] + pixel(2, 2, 2, 2) * 129
        rows = [run, literal, mixed[:300 * 4].ljust(300 * 4, b"\x00")]
        data = self.round_trip(300, rows)
        self.assertEqual(data[2], 10)
        for row in rows:
            encoded = tga.rle_row(row)
            counts = packets(encoded)
            self.assertEqual(sum(c for _, c in counts), 300)
            self.assertTrue(all(1 <= c <= 128 for _, c in counts))
        self.assertEqual(packets(tga.rle_row(run)), [(True, 128), (True, 128), (True, 44)])
        self.assertEqual([c for _, c in packets(tga.rle_row(literal))], [128, 128, 44])

    def test_a_run_of_two_is_not_broken_into_literals(self):
        a, b = pixel(1, 2, 3, 4), pixel(5, 6, 7, 8)
        self.assertEqual(packets(tga.rle_row(a + b + b + a)), [(False, 1), (True, 2), (False, 1)])

    def test_noise_stays_uncompressed_because_that_is_smaller(self):
        rows = [b"".join(pixel((x * 37 + y * 11) % 256, x, y, 255) for x in range(64))
                for y in range(8)]
        data = self.round_trip(64, rows)
        self.assertEqual(data[2], 2)
        self.assertEqual(len(data), 18 + 64 * 8 * 4)

    def test_sizes_outside_the_format_are_refused(self):
        for width, height in ((0, 1), (1, 0), (70000, 1)):
            with self.assertRaises(ValueError):
                tga.encode(width, height, [b""] * max(height, 0))

    def test_cut_short_files_are_refused_when_read(self):
        data = tga.encode(4, 4, [pixel(0, 0, 0, 0) * 4] * 4)
        for cut in (10, len(data) - 1):
            with self.assertRaises(ValueError):
                tga.decode(data[:cut])


if __name__ == "__main__":
    unittest.main()
