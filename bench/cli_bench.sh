#!/usr/bin/env bash
# snapfold against the tools a user would otherwise reach for, ratios printed in one run:
#   bench/cli_bench.sh build/<preset> [runs]
#  - build: `snapfold build` of 25 portraits of 4000x3000 pixels (JPEG), framed on the face,
#    against ImageMagick's mogrify doing the same crop, scale, grey and Floyd-Steinberg remap to
#    the four greys on the same 25 files in one process. Goal: at most 0.5 times mogrify's time.
#  - info: `snapfold info --json` over 1000 packs in one process against md5sum over the same
#    files. Goal: at most 3 times md5sum's time.
#  - hardlink: 20 `snapfold set` runs on a pack with a second name, which is written in place,
#    against the same runs on a pack with one name, saved through a temporary file and a rename.
#    Goal: at most 2 times the plain pack's time.
# Each pair runs alternately the given number of times (5 by default) after one untimed run
# each to warm the file cache; medians of wall-clock time are compared. Builds nothing, and
# installs ImageMagick when missing (as root, or through sudo).
set -euo pipefail

usage() {
    echo "usage: $0 build/<preset> [runs]" >&2
    exit 2
}
if [ $# -lt 1 ] || [ $# -gt 2 ]; then usage; fi
snapfold=$(realpath "$1")/cli/snapfold
runs=${2:-5}
[[ $runs =~ ^[1-9][0-9]*$ ]] || usage
[ -x "$snapfold" ] || { echo "cli_bench: $snapfold is missing" >&2; exit 1; }

root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/lib.sh
. "$root/scripts/lib.sh"
install_missing imagemagick
# The real ImageMagick programs, whatever else is earlier on the PATH.
magick_convert=/usr/bin/convert
mogrify=/usr/bin/mogrify

work=$(mktemp -d "${TMPDIR:-/tmp}/snapfold-cli-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Seconds taken by the command, with its output thrown away.
seconds() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null
    echo "$EPOCHREALTIME - $start" | bc -l
}

median() {
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Times the two commands alternately; prints both medians and the ratio of the first to the
# second.
compare() {
    local name=$1 goal=$2 ours=$3 theirs=$4 i
    bash -c "$ours" >/dev/null
    bash -c "$theirs" >/dev/null
    : >"$work/ours" && : >"$work/theirs"
    for ((i = 0; i < runs; i++)); do
        seconds bash -c "$ours" >>"$work/ours"
        seconds bash -c "$theirs" >>"$work/theirs"
    done
    local a b
    a=$(median <"$work/ours")
    b=$(median <"$work/theirs")
    printf '%-6s snapfold %8.4f s   yardstick %8.4f s   ratio %.3f (goal <= %s)\n' \
        "$name" "$a" "$b" "$(echo "$a / $b" | bc -l)" "$goal"
}

# ---- 25 portraits: the committed test portrait scaled up to 4000x3000, with grain, so that
# decoding has real work to do and every photo has a face to frame ----
mkdir -p "$work/photos" "$work/mogrify"
"$magick_convert" "$root/tests/data/astronaut.jpg" -resize 4000x4000 -gravity north \
    -crop 4000x3000+0+0 +repage -attenuate 0.6 +noise Gaussian -quality 90 \
    -sampling-factor 2x2 "$work/photos/photo-01.jpg"
for i in $(seq -w 2 25); do
    cp "$work/photos/photo-01.jpg" "$work/photos/photo-$i.jpg"
done
for i in $(seq 1 25); do
    printf '%d,%d,photo-%02d.jpg\n' "$i" "$((1000 + i))" "$i"
done >"$work/photos/manifest.csv"
# The four display greys, for the remap.
"$magick_convert" xc:'gray(0)' xc:'gray(85)' xc:'gray(190)' xc:'gray(255)' +append \
    "$work/greys.png"

# mogrify decodes each JPEG reduced to 1000x750, as snapfold's decoder does for these photos
# (1/4 of each side), crops the frame snapfold chose on the face (found once, given to mogrify
# as a fixed rectangle, so the face search counts against snapfold alone), scales it to 48x50,
# makes Rec. 709 grey and remaps to the four greys with Floyd-Steinberg.
read -r x y w h < <("$snapfold" frame "$work/photos/photo-01.jpg" | cut -f3)
[ "${w:-0}" -gt 0 ] || { echo "cli_bench: no frame for the portrait" >&2; exit 1; }
crop="$((w / 4))x$((h / 4))+$((x / 4))+$((y / 4))"
compare build 0.5 \
    "'$snapfold' build '$work/pack.bin' --force --from '$work/photos/manifest.csv'" \
    "'$mogrify' -path '$work/mogrify' -format pgm -define jpeg:size=1000x750 \
        -crop '$crop' +repage -resize '48x50!' -grayscale Rec709Luma \
        -dither FloydSteinberg -remap '$work/greys.png' '$work/photos/'*.jpg"

# ---- 1000 packs of random bytes ----
mkdir -p "$work/packs"
head -c $((1000 * 15050)) /dev/urandom | split -b 15050 -a 4 -d - "$work/packs/pack-"
compare info 3 \
    "cd '$work/packs' && '$snapfold' info --json pack-*" \
    "cd '$work/packs' && md5sum pack-*"

# ---- one pack with two names and one with one: the in-place road against the rename ----
mkdir -p "$work/links"
"$snapfold" new "$work/links/linked.bin"
ln "$work/links/linked.bin" "$work/links/other-name.bin"
"$snapfold" new "$work/links/plain.bin"
compare hardlink 2 \
    "for i in \$(seq 1 20); do '$snapfold' set '$work/links/linked.bin' \$((i % 25 + 1)) --id \$i; done" \
    "for i in \$(seq 1 20); do '$snapfold' set '$work/links/plain.bin' \$((i % 25 + 1)) --id \$i; done"
