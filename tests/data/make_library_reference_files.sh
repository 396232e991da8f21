#!/usr/bin/env bash
# Makes the small TIFF, PNG and JPEG reference files the library codec tests decode, once;
# the files are kept in the repository, so this only runs again when a case is added.
# Each picture file X comes with X.ppm: the same pixels as ImageMagick itself decodes them,
# composed over white where the file has alpha, which the tests compare with.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
convert=/usr/bin/convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 13 x 7: an odd width leaves padding in packed rows. Red runs left to right, green top to
# bottom, blue repeats every 7 pixels.
src=$work/src.ppm
"$convert" -size 13x7 xc:black -channel R -fx "i/12" -channel G -fx "j/6" \
  -channel B -fx "((i+2*j)%7)/6" +channel -depth 8 "$src"
# 16-bit samples that are not multiples of 257, so scaling to 8 bits is really tested.
src16=$work/src16.png
"$convert" -size 13x7 xc:black -channel R -fx "i/12.5" -channel G -fx "j/6.3" \
  -channel B -fx "((i+2*j)%7)/6.1" +channel -depth 16 "$src16"
# 37 x 21 covers several 16 x 16 tiles, with partial tiles at the right and bottom.
big=$work/big.ppm
"$convert" -size 37x21 xc:black -channel R -fx "i/36" -channel G -fx "j/20" \
  -channel B -fx "((i*3+j*5)%11)/10" +channel -depth 8 "$big"
# Alpha from fully transparent to opaque across the picture.
alpha=$work/alpha.png
"$convert" "$src" -alpha set -channel A -fx "(i+j)/18" +channel "$alpha"
# Black and white, for bilevel files.
mono=$work/mono.png
"$convert" -size 21x5 xc:white -fill black -draw "rectangle 0,0 20,0" -draw "line 0,1 12,4" \
  -draw "point 20,4" -monochrome "$mono"

make() { # make <folder> <name> <ImageMagick coder> <convert arguments...>
  local folder=$here/$1 name=$2 coder=$3
  shift 3
  mkdir -p "$folder"
  "$convert" "$@" "$coder:$folder/$name"
  "$convert" "$folder/$name[0]" -colorspace sRGB -background white -alpha remove -depth 8 \
    "$folder/$name.ppm"
}

make tiff rgb8.tif TIFF "$src" -type truecolor -compress none -define tiff:rows-per-strip=2
make tiff rgb8_msb.tif TIFF "$src" -type truecolor -compress none -define tiff:endian=msb
make tiff rgb8_lzw.tif TIFF "$src" -type truecolor -compress LZW
make tiff rgb8_deflate_predictor.tif TIFF "$src" -type truecolor -compress Zip -define tiff:predictor=2
make tiff rgb8_packbits.tif TIFF "$big" -type truecolor -compress RLE
make tiff rgb8_jpeg.tif TIFF "$big" -type truecolor -compress JPEG -quality 95
make tiff rgb8_tiled.tif TIFF "$big" -type truecolor -compress none -define tiff:tile-geometry=16x16
make tiff rgb8_tiled_lzw.tif TIFF "$big" -type truecolor -compress LZW -define tiff:tile-geometry=16x16
make tiff rgb8_planar.tif TIFF "$src" -type truecolor -compress none -interlace plane
make tiff rgb16.tif TIFF "$src16" -type truecolor -depth 16 -compress none
make tiff rgb16_msb.tif TIFF "$src16" -type truecolor -depth 16 -compress none -define tiff:endian=msb
make tiff rgb16_msb_lzw.tif TIFF "$src16" -type truecolor -depth 16 -compress LZW -define tiff:endian=msb
make tiff rgb16_lzw.tif TIFF "$src16" -type truecolor -depth 16 -compress LZW
make tiff rgba8.tif TIFF "$alpha" -compress none
make tiff rgba8_associated.tif TIFF "$alpha" -compress none -define tiff:alpha=associated
make tiff grey8.tif TIFF "$src" -colorspace gray -type grayscale -compress none
make tiff grey16.tif TIFF "$src16" -colorspace gray -type grayscale -depth 16 -compress none
make tiff grey4.tif TIFF "$src" -colorspace gray -type grayscale -depth 4 -compress none
make tiff grey2.tif TIFF "$src" -colorspace gray -type grayscale -depth 2 -compress none
make tiff bilevel_miniswhite.tif TIFF "$mono" -depth 1 -compress none -define quantum:polarity=min-is-white
make tiff bilevel_minisblack.tif TIFF "$mono" -depth 1 -compress none -define quantum:polarity=min-is-black
make tiff bilevel_group4.tif TIFF "$mono" -type bilevel -compress Group4
make tiff pal8.tif TIFF "$src" -colors 200 -type palette -compress none -define tiff:rows-per-strip=3
make tiff pal8_lzw.tif TIFF "$big" -colors 200 -type palette -compress LZW
make tiff pal4.tif TIFF "$src" -colors 16 -type palette -depth 4 -compress none
make tiff cmyk.tif TIFF "$src" -colorspace CMYK -compress none
make tiff two_pages.tif TIFF "$src" "$big" -type truecolor -compress none

make png rgb8.png PNG24 "$src"
make png rgb16.png PNG48 "$src16"
make png rgba8.png PNG32 "$alpha"
make png rgba16.png PNG64 "$alpha" -depth 16
make png grey1.png PNG "$mono" -type grayscale -depth 1 -define png:bit-depth=1 -define png:color-type=0
make png grey2.png PNG "$src" -colorspace gray -depth 2 -define png:bit-depth=2 -define png:color-type=0
make png grey4.png PNG "$src" -colorspace gray -depth 4 -define png:bit-depth=4 -define png:color-type=0
make png grey8.png PNG "$src" -colorspace gray -define png:bit-depth=8 -define png:color-type=0
make png grey16.png PNG "$src16" -colorspace gray -depth 16 -define png:bit-depth=16 -define png:color-type=0
make png grey_alpha8.png PNG "$alpha" -colorspace gray -define png:color-type=4
make png grey_alpha16.png PNG "$alpha" -colorspace gray -depth 16 -define png:color-type=4 -define png:bit-depth=16
make png pal8.png PNG8 "$src" -colors 200
make png pal8_trns.png PNG8 "$alpha" -channel A -threshold 50% +channel
make png grey8_trns.png PNG "$src" -colorspace gray -transparent black -define png:color-type=0 -define png:bit-depth=8
make png rgb8_interlaced.png PNG24 "$big" -interlace PNG
make png pal8_interlaced.png PNG8 "$big" -colors 100 -interlace PNG
make png rgba8_interlaced.png PNG32 "$alpha" -interlace PNG

make jpeg baseline.jpg JPEG "$big" -quality 95
make jpeg baseline_444.jpg JPEG "$big" -quality 95 -sampling-factor 1x1
make jpeg progressive.jpg JPEG "$big" -quality 95 -interlace JPEG
make jpeg grey.jpg JPEG "$big" -colorspace gray -quality 95
make jpeg cmyk.jpg JPEG "$big" -colorspace CMYK -quality 95

# Palette PNGs of 1, 2 and 4 bits and colour-key transparency, which ImageMagick will not
# write on request: written here byte by byte, then decoded by ImageMagick for the .ppm.
python3 - "$here/png" <<'PY'
import struct, sys, zlib
folder = sys.argv[1]

def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

def pack(samples, bits):
    out, acc, n = bytearray(), 0, 0
    for s in samples:
        acc, n = (acc << bits) | s, n + bits
        if n == 8:
            out.append(acc)
            acc, n = 0, 0
    if n:
        out.append(acc << (8 - n))
    return bytes(out)

ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]

def png(name, width, height, bits, colour_type, pixel, extra=b"", interlaced=False):
    # pixel(x, y) gives the samples of one pixel as a tuple.
    wide = bits // 8 if bits >= 8 else 0
    def row(xs, y):
        samples = [s for x in xs for s in pixel(x, y)]
        if wide == 2:
            return b"".join(struct.pack(">H", s) for s in samples)
        return bytes(samples) if bits == 8 else pack(samples, bits)
    raw = b""
    passes = ADAM7 if interlaced else [(0, 0, 1, 1)]
    for x0, y0, dx, dy in passes:
        xs = list(range(x0, width, dx))
        if xs:
            for y in range(y0, height, dy):
                raw += b"\0" + row(xs, y)
    ihdr = struct.pack(">IIBBBBB", width, height, bits, colour_type, 0, 0, 1 if interlaced else 0)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + extra + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")
    open(f"{folder}/{name}", "wb").write(data)

def palette(n):
    return [((i * 97) % 256, (i * 53 + 20) % 256, (255 - i * 31) % 256) for i in range(n)]

def plte(entries):
    return chunk(b"PLTE", b"".join(bytes(c) for c in entries))

w, h = 13, 7
for bits in (1, 2, 4):
    n = 1 << bits
    index = lambda x, y, n=n: ((x + 3 * y) % n,)
    png(f"pal{bits}.png", w, h, bits, 3, index, plte(palette(n)))
    png(f"pal{bits}_interlaced.png", w, h, bits, 3, index, plte(palette(n)), interlaced=True)
# Four of sixteen entries partly transparent; the table is shorter than the palette.
png("pal4_trns.png", w, h, 4, 3, lambda x, y: ((x + 3 * y) % 16,), plte(palette(16)) + chunk(b"tRNS", bytes([0, 64, 128, 200])))
# A palette with fewer entries than the bit depth allows.
png("pal4_short.png", w, h, 4, 3, lambda x, y: ((x + y) % 5,), plte(palette(5)))
# Colour keys: one colour or grey value is transparent.
rgb = lambda x, y: ((x * 20) % 256, (y * 40) % 256, 255 if (x + y) % 4 == 0 else 7)
png("rgb8_trns.png", w, h, 8, 2, rgb, chunk(b"tRNS", struct.pack(">HHH", 0, 0, 255)))
png("rgb8_trns_interlaced.png", w, h, 8, 2, rgb, chunk(b"tRNS", struct.pack(">HHH", 0, 0, 255)), interlaced=True)
png("grey2_trns.png", w, h, 2, 0, lambda x, y: ((x + y) % 4,), chunk(b"tRNS", struct.pack(">H", 1)))
png("grey16_trns.png", w, h, 16, 0, lambda x, y: (((x * 5000 + y * 900) % 65536) if (x + y) % 3 else 1234,), chunk(b"tRNS", struct.pack(">H", 1234)))
png("grey4_interlaced.png", w, h, 4, 0, lambda x, y: ((x * 5 + y) % 16,), interlaced=True)
PY
for f in "$here"/png/pal[124].png "$here"/png/pal[124]_interlaced.png "$here"/png/pal4_trns.png \
         "$here"/png/pal4_short.png "$here"/png/rgb8_trns*.png "$here"/png/grey2_trns.png \
         "$here"/png/grey16_trns.png "$here"/png/grey4_interlaced.png; do
  "$convert" "$f" -colorspace sRGB -background white -alpha remove -depth 8 "$f.ppm"
done
