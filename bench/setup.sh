#!/bin/bash
# Prepares the photos of the photo benchmark under build-bench/: installs ImageMagick and the
# vips tools when missing (as root; otherwise prints the apt-get line), fetches Debian's
# lomiri-wallpapers-16.04 package without installing it, and makes 4000x3000 and 6000x4000 JPEG
# copies, a 4000x3000 PNG and a batch of ten 4000x3000 JPEGs from one of its photographs.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build-bench
photos=$work/photos
source_name=Dragonfly_by_Bolly.jpg

missing=()
[ -x /usr/bin/convert ] || missing+=(imagemagick)
command -v vipsthumbnail >/dev/null 2>&1 || missing+=(libvips-tools)
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
original=$(find "$work/wallpapers/root" -name "$source_name" 2>/dev/null | head -n 1 || true)
if [ -z "$original" ]; then
    (cd "$work/wallpapers" && apt-get download lomiri-wallpapers-16.04)
    deb=$(ls "$work"/wallpapers/lomiri-wallpapers-16.04_*.deb | head -n 1)
    dpkg-deb -x "$deb" "$work/wallpapers/root"
    original=$(find "$work/wallpapers/root" -name "$source_name" | head -n 1)
fi
if [ -z "$original" ]; then
    echo "$source_name not found in lomiri-wallpapers-16.04" >&2
    exit 1
fi

convert=/usr/bin/convert
make_copy() { # size, file, extra options...
    local size=$1 file=$2
    shift 2
    [ -s "$photos/$file" ] || "$convert" "$original" -resize "${size}!" "$@" "$photos/$file"
}
make_copy 4000x3000 dragonfly_4000x3000.jpg -quality 92
make_copy 6000x4000 dragonfly_6000x4000.jpg -quality 92
make_copy 4000x3000 dragonfly_4000x3000.png
for i in 01 02 03 04 05 06 07 08 09 10; do
    [ -s "$photos/batch_$i.jpg" ] || cp "$photos/dragonfly_4000x3000.jpg" "$photos/batch_$i.jpg"
done
ls -l "$photos"
