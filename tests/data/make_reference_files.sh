#!/usr/bin/env bash
# Makes the small reference files the codec tests decode, once; the files are kept in the
# repository, so this only runs again when a case is added. Each picture file X comes with
# X.ppm, the same pixels as ImageMagick itself decodes them, which the tests compare with.
# MSP and PAL files have no writer here; they are written byte by byte below.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
convert=/usr/bin/convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 13 x 7: an odd width leaves row padding in every format. Red runs left to right, green top
# to bottom, blue repeats every 7 pixels.
src=$work/src.ppm
"$convert" -size 13x7 xc:black -channel R -fx "i/12" -channel G -fx "j/6" \
  -channel B -fx "((i+2*j)%7)/6" +channel -depth 8 "$src"
# A picture with long runs, so that run-length files really use runs.
runs=$work/runs.ppm
"$convert" -size 37x9 xc:navy -fill orange -draw "rectangle 3,2 30,6" -fill white \
  -draw "point 35,8" -depth 8 "$runs"

make() { # make <folder> <name> <ImageMagick coder> <convert arguments...>
  local folder=$here/$1 name=$2 coder=$3
  shift 3
  mkdir -p "$folder"
  "$convert" "$@" "$coder:$folder/$name"
  # ImageMagick keeps a TGA file's row order as an orientation note; -auto-orient applies it.
  "$convert" "$folder/$name" -auto-orient -depth 8 "$folder/$name.ppm"
}

make bmp rgb24.bmp BMP3 "$src" -type truecolor
make bmp rgb24_v5.bmp BMP "$src" -type truecolor
make bmp pal8.bmp BMP3 "$src" -colors 200 -type palette -compress none
make bmp pal4.bmp BMP3 "$src" -colors 16 -type palette -compress none
make bmp pal1.bmp BMP3 "$src" -monochrome
make bmp rle8.bmp BMP3 "$src" -colors 200 -type palette -compress RLE
make bmp rle8_runs.bmp BMP3 "$runs" -type palette -compress RLE
make bmp os2_rgb24.bmp BMP2 "$src" -type truecolor
make bmp os2_pal4.bmp BMP2 "$src" -colors 16 -type palette
make bmp rgb565.bmp BMP "$src" -define bmp:subtype=RGB565
make bmp rgb555.bmp BMP "$src" -define bmp:subtype=RGB555
make bmp rgba32.bmp BMP "$src" -alpha set

make tga rgb24.tga TGA "$src" -type truecolor
make tga rgb24_top.tga TGA "$src" -orient top-left -type truecolor
make tga rgb24_rle.tga TGA "$runs" -type truecolor -compress RLE
make tga pal8.tga TGA "$src" -colors 200 -type palette
make tga pal8_rle.tga TGA "$runs" -type palette -compress RLE
make tga grey.tga TGA "$src" -colorspace gray -type grayscale
make tga grey_rle.tga TGA "$runs" -colorspace gray -type grayscale -compress RLE
make tga rgba32.tga TGA "$src" -alpha set
make tga rgba32_rle.tga TGA "$runs" -alpha set -compress RLE

make pcx rgb24.pcx PCX "$src" -type truecolor
make pcx pal8.pcx PCX "$src" -colors 200 -type palette
make pcx runs8.pcx PCX "$runs" -type palette
# A two-colour palette picture becomes a 1-bit file, white first in its header palette.
"$convert" "$src" -monochrome "$work/mono.bmp"
make pcx mono.pcx PCX "$work/mono.bmp"

# MSP (version 1 raw, version 2 run-length rows) and PAL (RIFF and JASC text) by hand.
mkdir -p "$here/msp" "$here/pal"
python3 - "$here" <<'PY'
import struct, sys
here = sys.argv[1]
width, height = 21, 5
# Bit 1 is white: a black frame with a diagonal.
rows = []
for y in range(height):
    bits = [0 if (y in (0, height - 1) or x in (0, width - 1) or x == 4 * y) else 1 for x in range(width)]
    bits += [1] * (-len(bits) % 8)
    rows.append(bytes(int("".join(map(str, bits[i:i + 8])), 2) for i in range(0, len(bits), 8)))

def header(key1, key2):
    words = [key1, key2, width, height, 1, 1, 1, 1, 0, 0, 0, 0]
    check = 0
    for w in words:
        check ^= w
    return struct.pack("<13H3H", *words, check, 0, 0, 0)

open(f"{here}/msp/frame_v1.msp", "wb").write(header(0x6144, 0x4D6E) + b"".join(rows))

def encode(row):
    out, i = b"", 0
    while i < len(row):
        run = 1
        while i + run < len(row) and row[i + run] == row[i] and run < 255:
            run += 1
        if run >= 3:
            out += bytes([0, run, row[i]])
        else:
            out += bytes([run]) + row[i:i + run]
        i += run
    return out

encoded = [encode(r) for r in rows]
rowmap = b"".join(struct.pack("<H", len(e)) for e in encoded)
open(f"{here}/msp/frame_v2.msp", "wb").write(header(0x694C, 0x536E) + rowmap + b"".join(encoded))
# The expected pixels as a PBM (1 is black there, so the bits are inverted).
pbm = b"P4\n%d %d\n" % (width, height) + b"".join(bytes(b ^ 0xFF for b in r) for r in rows)
open(f"{here}/msp/frame.pbm", "wb").write(pbm)

colours = [(0, 0, 0), (255, 255, 255), (255, 0, 0), (12, 200, 99), (1, 2, 3)]
data = struct.pack("<HH", 0x300, len(colours)) + b"".join(bytes([r, g, b, 0]) for r, g, b in colours)
riff = b"PAL " + b"data" + struct.pack("<I", len(data)) + data
open(f"{here}/pal/five.pal", "wb").write(b"RIFF" + struct.pack("<I", len(riff)) + riff)
text = "JASC-PAL\r\n0100\r\n%d\r\n" % len(colours) + "".join("%d %d %d\r\n" % c for c in colours)
open(f"{here}/pal/five_jasc.pal", "wb").write(text.encode())
open(f"{here}/pal/five_jasc_lf.pal", "wb").write(text.replace("\r\n", "\n").encode())
PY

# The fuzzers start from the same files.
for format in bmp tga pcx msp pal; do
  mkdir -p "$here/../fuzz/seeds/$format"
  find "$here/$format" -type f ! -name '*.ppm' ! -name '*.pbm' -exec cp {} "$here/../fuzz/seeds/$format/" \;
done
