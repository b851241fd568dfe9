#!/bin/bash
# Builds photo_bench in a release folder (build-bench/, no sanitizers) and measures it side by
# side with vipsthumbnail and ImageMagick on the photos that setup.sh prepares. Holds the shared
# build lock for the whole run, so that no other build skews the figures.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build-bench
photos=$work/photos
out=$work/out
runs=${RUNS:-5}

[ -s "$photos/dragonfly_4000x3000.jpg" ] || "$root/bench/setup.sh"

exec 9>/tmp/kq-build.lock
flock 9

cmake -S "$root" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKQ_SANITIZE=OFF -DKQ_BUILD_TESTS=OFF >/dev/null
cmake --build "$work/build" --target photo_bench -- -j2 >/dev/null
bench=$work/build/bin/photo_bench
rm -rf "$out" && mkdir -p "$out"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
# Median wall time in ms of a whole command over $runs runs.
median_ms() {
    local times=() start
    for _ in $(seq "$runs"); do
        start=$(now_ms)
        "$@" >/dev/null 2>&1
        times+=($(( $(now_ms) - start )))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p"
}
# Median of the per-photo time that photo_bench itself reports for one photo, over $runs runs.
median_reported_ms() {
    for _ in $(seq "$runs"); do
        "$@" | head -n 1 | awk -F'\t' '{ print $2 }' | grep -o '[0-9]*' | head -n 1
    done | sort -n | sed -n "$(( (runs + 1) / 2 ))p"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

one=$photos/dragonfly_4000x3000.jpg
echo "== one 4000x3000 JPEG, whole process, median of $runs =="
ours=$(median_ms "$bench" --out "$out" "$one")
vips=$(median_ms vipsthumbnail "$one" --size 1920x1080 -o "$out/%s_vips.jpg")
magick=$(median_ms /usr/bin/convert "$one" -resize 1920x1080 "$out/dragonfly_magick.jpg")
echo "photo_bench      $ours ms"
echo "vipsthumbnail    $vips ms"
echo "convert -resize  $magick ms"
echo "photo_bench / vipsthumbnail = $(ratio "$ours" "$vips") (target <= 0.60)"
"$bench" --out "$out" "$one"
"$bench" --out "$out" "$photos/dragonfly_6000x4000.jpg"

echo
echo "== batch of ten 4000x3000 JPEGs =="
batch=("$photos"/batch_*.jpg)
"$bench" --out "$out" "${batch[@]}" | tee "$out/batch.txt"
wall=$(sed -n 's/^batch wall \([0-9]*\) ms/\1/p' "$out/batch.txt")
first=$(sed -n 's/^first result \([0-9]*\) ms/\1/p' "$out/batch.txt")
echo "first result / batch wall = $(ratio "$first" "$wall") (target <= 0.33)"
echo "peak memory target: < 100 MB"
ours_batch=$(median_ms "$bench" "${batch[@]}")
vips_batch=$(median_ms vipsthumbnail "${batch[@]}" --size 1920x1080 -o "$out/%s_vips.jpg")
echo "whole process, ten photos: photo_bench $ours_batch ms, vipsthumbnail $vips_batch ms"

echo
echo "== 4000x3000 PNG: no reduced decode exists, so no slower than the plain way =="
png=$photos/dragonfly_4000x3000.png
"$bench" --out "$out" "$png"
"$bench" --plain "$png"
"$bench" --decode-only "$png"
ours_png=$(median_ms "$bench" "$png")
plain_png=$(median_ms "$bench" --plain "$png")
decode_png=$(median_ms "$bench" --decode-only "$png")
echo "whole process: photo_bench $ours_png ms, plain full decode + fit + encode $plain_png ms," \
     "ratio $(ratio "$ours_png" "$plain_png") (target <= 1.00); a bare full decode alone $decode_png ms"
ours_png_in=$(median_reported_ms "$bench" "$png")
plain_png_in=$(median_reported_ms "$bench" --plain "$png")
echo "inside the process: photo_bench $ours_png_in ms, plain $plain_png_in ms, ratio $(ratio "$ours_png_in" "$plain_png_in")"
echo
echo "== the same for the 4000x3000 JPEG =="
plain_jpg=$(median_ms "$bench" --plain "$one")
echo "whole process: photo_bench $ours ms, plain full decode + fit + encode $plain_jpg ms"
