#!/usr/bin/env bash
# Runs the same work through vaskimg, libvips (vips) and ImageMagick (convert) on one
# 6000 x 4000 uncompressed TIFF in the same run and prints a Markdown table of whole-process
# times (median of RUNS runs each, wall clock) and the ratios vaskimg / peer (below 1.0 means
# vaskimg is faster). Every command reads the TIFF and writes its result as a file.
#
# Usage: bench/compare_peers.sh [VASKIMG] [WORK_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
vaskimg=${1:-$root/build/PROGRAM/vaskimg}
work=${2:-/tmp/vask-compare}
runs=${3:-5}
convert=/usr/bin/convert
compare=/usr/bin/compare
mkdir -p "$work"
cd "$work"

for tool in "$vaskimg" vips "$convert"; do
  command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done

# The input: a photograph-like picture (smooth shading, hard edges, texture), made once.
if [ ! -f in.tif ]; then
  "$convert" -seed 7 -size 6000x4000 plasma:fractal -blur 0x2 \
    \( -size 6000x4000 xc:none -fill '#2040c0' -draw 'circle 1500,1200 1500,300' \
       -fill '#f0e040' -draw 'rectangle 3500,2200 5200,3600' \) -composite \
    -attenuate 0.3 +noise Gaussian -depth 8 -type TrueColor -compress none in.tif
fi
"$vaskimg" info in.tif >/dev/null
# Grey mask and a second picture for the blend.
[ -f mask.tif ] || "$convert" -size 4000x6000 gradient:white-black -rotate 90 -depth 8 -type TrueColor -compress none mask.tif
[ -f other.tif ] || "$convert" in.tif -flip -compress none other.tif
# Kernels: vaskimg's .MA3/.MA5, vips' matrix files, ImageMagick's kernel strings.
printf '%s\r\n' -1 -1 -1 -1 12 -1 -1 -1 -1 1 4 0 > sharp.MA3
printf '3 3 4 0\n-1 -1 -1\n-1 12 -1\n-1 -1 -1\n' > sharp3.mat
k3='3x3: -1,-1,-1 -1,12,-1 -1,-1,-1'
printf '%s\r\n' 1 4 6 4 1 4 16 24 16 4 6 24 36 24 6 4 16 24 16 4 1 4 6 4 1 1 256 0 > blur.MA5
printf '5 5 256 0\n1 4 6 4 1\n4 16 24 16 4\n6 24 36 24 6\n4 16 24 16 4\n1 4 6 4 1\n' > blur5.mat
k5='5x5: 1,4,6,4,1 4,16,24,16,4 6,24,36,24,6 4,16,24,16,4 1,4,6,4,1'

# median_seconds CMD...: runs the command RUNS times (after one warm-up) and prints the median.
median_seconds() {
  "$@" >/dev/null 2>&1 || { echo "failed"; return; }
  local times=()
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc -l)")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END {printf "%.3f", a[int((NR+1)/2)]}'
}

ratio() { if [[ $1 == failed || $2 == failed || $2 == - ]]; then echo "-"; else echo "$1 / $2" | bc -l | awk '{printf "%.2f", $1}'; fi; }

row() {
  local name=$1 ours=$2 theirs=$3 magick=$4
  local t_ours t_vips t_magick="-"
  t_ours=$(median_seconds sh -c "$ours")
  t_vips=$(median_seconds sh -c "$theirs")
  [ -n "$magick" ] && t_magick=$(median_seconds sh -c "$magick")
  printf '| %s | %s | %s | %s | %s | %s |\n' "$name" "$t_ours" "$t_vips" "$(ratio "$t_ours" "$t_vips")" \
    "$t_magick" "$(ratio "$t_ours" "$t_magick")"
}

V="$vaskimg"
C="$convert"
echo "Machine: $(nproc) cores; $(vips --version); $($C -version | head -n 1 | cut -d' ' -f2-3); runs: $runs, median"
echo
echo "| operation | vaskimg s | vips s | ratio | ImageMagick s | ratio |"
echo "|---|---:|---:|---:|---:|---:|"
row "TIFF copy" "$V convert in.tif o.tif" "vips copy in.tif o.tif" "$C in.tif o.tif"
row "3x3 matrix filter" "$V matrix sharp.MA3 in.tif o.tif" "vips conv in.tif o.tif sharp3.mat --precision integer" \
  "$C in.tif -define convolve:scale=0.25 -morphology Convolve '$k3' o.tif"
row "5x5 matrix filter" "$V matrix blur.MA5 in.tif o.tif" "vips conv in.tif o.tif blur5.mat --precision integer" \
  "$C in.tif -define convolve:scale=! -morphology Convolve '$k5' o.tif"
row "blur" "$V blur in.tif o.tif" "vips gaussblur in.tif o.tif 1 --precision integer" "$C in.tif -gaussian-blur 0x1 o.tif"
row "rotate 7.5 degrees, fill" "$V rotate 7.5 in.tif o.tif --fill FF00FF" \
  "vips rotate in.tif o.tif 7.5 --background '255 0 255'" "$C in.tif -background '#FF00FF' -rotate -7.5 o.tif"
row "mirror" "$V mirror h in.tif o.tif" "vips flip in.tif o.tif horizontal" "$C in.tif -flop o.tif"
row "resize 50%, high quality" "$V resize 3000 2000 in.tif o.tif" "vips resize in.tif o.tif 0.5" "$C in.tif -resize 50% o.tif"
row "negate" "$V negate in.tif o.tif" "vips invert in.tif o.tif" "$C in.tif -negate o.tif"
row "greyscale" "$V grey in.tif o.tif" "vips colourspace in.tif o.tif b-w" "$C in.tif -colorspace Gray o.tif"
row "histogram equalisation" "$V equalize in.tif o.tif" "vips hist_equal in.tif o.tif" "$C in.tif -equalize o.tif"
row "mask blend" "$V mask in.tif mask.tif other.tif o.tif" "vips ifthenelse mask.tif in.tif other.tif o.tif --blend" \
  "$C other.tif in.tif mask.tif -composite o.tif"
row "RGB separation" "$V separate rgb in.tif sep.tif" \
  "vips extract_band in.tif sep-0.tif 0 && vips extract_band in.tif sep-1.tif 1 && vips extract_band in.tif sep-2.tif 2" \
  "$C in.tif -separate sep-%d.tif"
row "CMYK separation" "$V separate cmyk in.tif sep.tif" "vips colourspace in.tif sep.tif cmyk" \
  "$C in.tif -colorspace CMYK -separate sep-%d.tif"
row "HSV separation" "$V separate hsv in.tif sep.tif" "vips colourspace in.tif sep.tif hsv" \
  "$C in.tif -colorspace HSB -separate sep-%d.tif"
row "reduce to 256 colours, Floyd-Steinberg" "$V reduce 256 in.tif o8.tif --no-bleed" \
  "vips copy in.tif o8.png[palette,dither=1]" "$C in.tif -dither FloydSteinberg -colors 256 -type Palette o8m.tif"

# Quality of the reduction: PSNR against the original (higher is better).
"$V" reduce 256 in.tif o8.tif --no-bleed
"$C" in.tif -dither FloydSteinberg -colors 256 -type Palette o8m.tif
ours=$("$compare" -metric PSNR in.tif o8.tif null: 2>&1 || true)
theirs=$("$compare" -metric PSNR in.tif o8m.tif null: 2>&1 || true)
echo
echo "PSNR of the 256-colour reduction against the original: vaskimg $ours dB, ImageMagick $theirs dB"
