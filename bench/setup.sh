#!/bin/bash
# Prepares the benchmarks under build-bench/: installs ImageMagick, the vips tools, GNU time,
# heif-enc, wrk and nginx when missing (as root; otherwise prints the apt-get line), fetches
# Debian's lomiri-wallpapers-16.04 package without installing it, and makes from its photographs:
# 12 and 24 megapixel JPEG copies of one (dragonfly_*.jpg), a 12 megapixel PNG of it, the same
# 12 megapixel photo as a phone or scanner saves it (HEIC, AVIF, WebP, TIFF), and a batch of ten
# different photographs of about 12 megapixels (ten_*.jpg), two of them portraits.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build-bench
photos=$work/photos
source_name=Dragonfly_by_Bolly.jpg
batch_names=(Bridge_by_Sander_Klootwijk sunset_by_Aitzol_Berasategi seeding_by_Clements_Engelhardt
    umang_by_Abhishek_Mudgal picosdeeuropa_by_Aitzol_Berasategi aitzgorri_by_Aitzol_Berasategi
    life_by_Aitzol_Berasategi greentock_by_Peter_Nerlich friends_by_Aitzol_Berasategi Wine_by_Jakkub_Mede)

missing=()
[ -x /usr/bin/convert ] && [ -x /usr/bin/compare ] || missing+=(imagemagick)
command -v vipsthumbnail >/dev/null 2>&1 || missing+=(libvips-tools)
[ -x /usr/bin/time ] || missing+=(time)
command -v heif-enc >/dev/null 2>&1 || missing+=(libheif-examples)
# The service's load bench: the load generator and the static server it is compared with.
command -v wrk >/dev/null 2>&1 || missing+=(wrk)
command -v nginx >/dev/null 2>&1 || [ -x /usr/sbin/nginx ] || missing+=(nginx)
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        apt-get update
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
    else
        echo "missing tools; run as root: apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
fi

mkdir -p "$work/wallpapers" "$photos"
backgrounds=$(find "$work/wallpapers/root" -name "$source_name" -printf '%h\n' 2>/dev/null | head -n 1 || true)
if [ -z "$backgrounds" ]; then
    (cd "$work/wallpapers" && apt-get download lomiri-wallpapers-16.04)
    deb=$(ls "$work"/wallpapers/lomiri-wallpapers-16.04_*.deb | head -n 1)
    dpkg-deb -x "$deb" "$work/wallpapers/root"
    backgrounds=$(find "$work/wallpapers/root" -name "$source_name" -printf '%h\n' | head -n 1)
fi
if [ -z "$backgrounds" ]; then
    echo "$source_name not found in lomiri-wallpapers-16.04" >&2
    exit 1
fi
original=$backgrounds/$source_name

convert=/usr/bin/convert
make_copy() { # source, geometry, file, extra options...
    local source=$1 geometry=$2 file=$3
    shift 3
    [ -s "$photos/$file" ] || "$convert" "$source" -resize "$geometry" "$@" "$photos/$file"
}
make_copy "$original" 4000x3000! dragonfly_4000x3000.jpg -quality 92
make_copy "$original" 6000x4000! dragonfly_6000x4000.jpg -quality 92
make_copy "$original" 4000x3000! dragonfly_4000x3000.png
twelve=$photos/dragonfly_4000x3000.jpg
[ -s "$photos/dragonfly_4000x3000.heic" ] || heif-enc -q 50 -o "$photos/dragonfly_4000x3000.heic" "$twelve" >/dev/null
[ -s "$photos/dragonfly_4000x3000.avif" ] || heif-enc -A -q 50 -o "$photos/dragonfly_4000x3000.avif" "$twelve" >/dev/null
make_copy "$twelve" 100% dragonfly_4000x3000.webp -quality 80
make_copy "$twelve" 100% dragonfly_4000x3000.tif -compress lzw
for i in "${!batch_names[@]}"; do
    # About 12 megapixels each, at the photograph's own shape.
    make_copy "$backgrounds/${batch_names[$i]}.jpg" 12000000@ "$(printf 'ten_%02d.jpg' $((i + 1)))" -quality 92
done
# What a broken download or a wrong file looks like: bytes that no photo format reads.
[ -s "$photos/not_a_photo.jpg" ] || head -c 300000 /dev/urandom >"$photos/not_a_photo.jpg"
ls -l "$photos"
