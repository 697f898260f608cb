#!/bin/sh
# Rebuilds the PNG icons beside this script from data/desktop/reelkeep.svg, for
# desktops and software centres that want bitmaps (needs Debian's librsvg2-bin):
#   data/desktop/icons/make-icons.sh
set -e
here=$(cd "$(dirname "$0")" && pwd)
for size in 48 256; do
    mkdir -p "$here/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" "$here/../reelkeep.svg" -o "$here/${size}x${size}/reelkeep.png"
done
