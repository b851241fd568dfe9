#!/bin/bash
# Builds photo_bench in a release folder (build-bench/, no sanitizers) and measures it side by
# side with vipsthumbnail on the photos that setup.sh prepares, runs interleaved: time and peak
# memory of the whole process, bytes of each result, and PSNR of each against a full-quality
# downscale (ImageMagick, Lanczos, written losslessly). vipsthumbnail gets the same box and the
# quality photo_bench chose; for quality at equal bytes it also gets the same byte budget (its
# highest quality that fits). Holds the shared build lock for the whole run, so that no other
# build skews the figures. RUNS (default 5) sets the runs per measurement.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build-bench
photos=$work/photos
out=$work/out
runs=${RUNS:-5}
budget=204800

[ -s "$photos/ten_10.jpg" ] && [ -s "$photos/not_a_photo.jpg" ] || "$root/bench/setup.sh"

exec 9>/tmp/kq-build.lock
flock 9

cmake -S "$root" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKQ_SANITIZE=OFF -DKQ_BUILD_TESTS=OFF >/dev/null
cmake --build "$work/build" --target photo_bench -- -j2 >/dev/null
bench=$work/build/bin/photo_bench
rm -rf "$out" && mkdir -p "$out/refs" "$out/vips" "$out/budget"

# Runs a command quietly; prints its wall time in ms and its peak memory in KB.
measure() {
    local start end
    start=$(date +%s%N)
    /usr/bin/time -f '%M' -o "$out/time.txt" "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo "$(( (end - start) / 1000000 )) $(tail -n 1 "$out/time.txt")"
}
# "median (min-max)" of numbers.
spread() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { printf "%d (%d-%d)", v[int((NR + 1) / 2)], v[1], v[NR] }'; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
quality() { identify -format '%Q' "$1"; }
pixels() { identify -format '%wx%h' "$1"; }
bytes() { stat -c %s "$1"; }
# The source fitted to WxH by ImageMagick at full quality, made once per size.
reference() { # source, WxH
    local ref
    ref=$out/refs/$(basename "$1" | sed 's/\.[^.]*$//')_$2.png
    [ -s "$ref" ] || /usr/bin/convert "$1" -auto-orient -filter Lanczos -resize "$2!" "$ref"
    echo "$ref"
}
psnr() { # result, source
    local ref
    ref=$(reference "$2" "$(pixels "$1")")
    # compare exits 1 when the pictures differ, as they do.
    { /usr/bin/compare -metric PSNR "$1" "$ref" null: 2>&1 || true; } | awk '{ printf "%.2f", $1 }'
}
thumbnail() { # source, output folder, quality
    vipsthumbnail "$1" --size 1920x1080 -o "$2/%s.jpg[Q=$3,strip]"
}
# vipsthumbnail at its highest quality within the budget: prints the file it wrote.
vips_at_budget() { # source
    local name low=1 high=100 mid file
    name=$(basename "$1" | sed 's/\.[^.]*$//')
    file=$out/budget/$name.jpg
    while [ $low -lt $high ]; do
        mid=$(( (low + high + 1) / 2 ))
        thumbnail "$1" "$out/budget" "$mid"
        if [ "$(bytes "$file")" -le $budget ]; then low=$mid; else high=$(( mid - 1 )); fi
    done
    thumbnail "$1" "$out/budget" "$low"
    echo "$file"
}

binding=()
deltas=()
# One line per photo: ours, vipsthumbnail at our quality, vipsthumbnail at the same budget.
compare_quality() { # source, our result
    local source=$1 ours=$2 name q theirs fit p_ours p_theirs p_fit
    name=$(basename "$source" | sed 's/\.[^.]*$//')
    q=$(quality "$ours")
    thumbnail "$source" "$out/vips" "$q"
    theirs=$out/vips/$name.jpg
    fit=$(vips_at_budget "$source")
    p_ours=$(psnr "$ours" "$source")
    p_theirs=$(psnr "$theirs" "$source")
    p_fit=$(psnr "$fit" "$source")
    printf '%-24s %-9s Q%-3s %7d B %6s dB | vips same Q %7d B %6s dB | vips same budget Q%-3s %7d B %6s dB | %+.2f dB\n' \
        "$name" "$(pixels "$ours")" "$q" "$(bytes "$ours")" "$p_ours" "$(bytes "$theirs")" "$p_theirs" \
        "$(quality "$fit")" "$(bytes "$fit")" "$p_fit" "$(awk -v a="$p_ours" -v b="$p_fit" 'BEGIN { print a - b }')"
    deltas+=("$(awk -v a="$p_ours" -v b="$p_fit" 'BEGIN { print a - b }')")
    # The budget binds where even the top quality would not fit.
    [ "$q" -ge 95 ] || binding+=("$(bytes "$ours")")
}

result_of() { echo "$out/$(basename "$1" | sed 's/\.[^.]*$//')-result.jpg"; }

# photo_bench and vipsthumbnail (quality $1) on the same files in one process each, $runs times
# interleaved: their times in ms and peaks in MB in ours_ms, ours_mb, vips_ms, vips_mb.
side_by_side() {
    local q=$1 ms kb
    shift
    ours_ms=() ours_mb=() vips_ms=() vips_mb=()
    for _ in $(seq "$runs"); do
        read -r ms kb < <(measure "$bench" "$@")
        ours_ms+=("$ms") ours_mb+=("$(( kb / 1024 ))")
        read -r ms kb < <(measure vipsthumbnail "$@" --size 1920x1080 -o "$out/vips/%s.jpg[Q=$q,strip]")
        vips_ms+=("$ms") vips_mb+=("$(( kb / 1024 ))")
    done
}
report() { # what vipsthumbnail was given
    echo "photo_bench $(spread "${ours_ms[@]}") ms, peak $(spread "${ours_mb[@]}") MB;" \
         "vipsthumbnail ($1) $(spread "${vips_ms[@]}") ms, peak $(spread "${vips_mb[@]}") MB;" \
         "time ratio $(ratio "$(median "${ours_ms[@]}")" "$(median "${vips_ms[@]}")")"
}

echo "== single photos, whole process, $runs runs each, interleaved (median (min-max)) =="
for photo in "$photos/dragonfly_4000x3000.jpg" "$photos/dragonfly_6000x4000.jpg"; do
    "$bench" --out "$out" "$photo" >/dev/null
    q=$(quality "$(result_of "$photo")")
    side_by_side "$q" "$photo"
    echo "$(basename "$photo"): $(report "Q$q") (target <= 0.50)"
done

echo
echo "== batch of ten different photos of about 12 megapixels, one process each, $runs runs interleaved =="
batch=("$photos"/ten_*.jpg)
"$bench" --out "$out" "${batch[@]}" | sed -n '/^batch wall/,$p'
qualities=()
for photo in "${batch[@]}"; do qualities+=("$(quality "$(result_of "$photo")")"); done
batch_q=$(median "${qualities[@]}")
side_by_side "$batch_q" "${batch[@]}"
echo "$(report "Q$batch_q, the median of ours"); peak target for photo_bench < 100 MB"

echo
echo "== bytes and PSNR against an ImageMagick Lanczos downscale =="
for photo in "$photos/dragonfly_4000x3000.jpg" "$photos/dragonfly_6000x4000.jpg" "${batch[@]}"; do
    compare_quality "$photo" "$(result_of "$photo")"
done
if [ ${#binding[@]} -gt 0 ]; then
    echo "median bytes where the budget binds: $(median "${binding[@]}") of $budget =" \
         "$(ratio "$(( $(median "${binding[@]}") * 100 ))" "$budget") % over ${#binding[@]} photos (target >= 90 %)"
fi
echo "PSNR ours minus vipsthumbnail at the same budget: median $(median "${deltas[@]}") dB," \
     "lowest $(printf '%s\n' "${deltas[@]}" | sort -g | head -n 1) dB (target >= -0.20)"

echo
echo "== what phones and scanners save, and a file that is no photo =="
status=0
"$bench" "$photos"/dragonfly_4000x3000.{heic,avif,webp,tif} "$photos/not_a_photo.jpg" || status=$?
echo "photo_bench exit status $status (1: a file was named as failed)"

echo
echo "== 4000x3000 PNG: no reduced decode exists, so no slower than the plain way =="
png=$photos/dragonfly_4000x3000.png
ours_ms=() plain_ms=()
for _ in $(seq "$runs"); do
    read -r ms _ < <(measure "$bench" "$png"); ours_ms+=("$ms")
    read -r ms _ < <(measure "$bench" --plain "$png"); plain_ms+=("$ms")
done
echo "photo_bench $(spread "${ours_ms[@]}") ms, plain full decode + fit + encode once $(spread "${plain_ms[@]}") ms," \
     "ratio $(ratio "$(median "${ours_ms[@]}")" "$(median "${plain_ms[@]}")") (target <= 1.00)"
