#!/usr/bin/env bash
# snapfold cards against base64 -d over the same photo data, the ratio printed in one run:
#   bench/cards_bench.sh build/<preset> [runs]
# The address book has 10,000 cards and about 60 MB: photos of three sizes made from the test
# portrait and cat, written in turn as a phone (vCard 2.1, indented continuations ending at a
# blank line), a phone or Apple's Contacts (3.0, folded at 75) and a desktop address book (4.0
# data URI on one line) write them. The yardstick decodes exactly those photos' base64, one
# 76-column line after another. Goal: snapfold reads the book at least 1/4 as fast as base64 -d
# decodes its photos (speed ratio >= 0.25). Each runs alternately the given number of times
# (5 by default) after one untimed run each; medians of wall-clock time are compared.
set -euo pipefail

usage() {
    echo "usage: $0 build/<preset> [runs]" >&2
    exit 2
}
if [ $# -lt 1 ] || [ $# -gt 2 ]; then usage; fi
snapfold=$(realpath "$1")/cli/snapfold
runs=${2:-5}
[[ $runs =~ ^[1-9][0-9]*$ ]] || usage
[ -x "$snapfold" ] || { echo "cards_bench: $snapfold is missing" >&2; exit 1; }

root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/lib.sh
. "$root/scripts/lib.sh"
install_missing imagemagick python3 coreutils
magick_convert=/usr/bin/convert

work=$(mktemp -d "${TMPDIR:-/tmp}/snapfold-cards-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Photos of about 3, 4.5 and 5 KB, as address books keep them.
"$magick_convert" "$root/tests/data/astronaut.jpg" -resize 90x90 -quality 80 "$work/p1.jpg"
"$magick_convert" "$root/tests/data/astronaut.jpg" -resize 110x110 -quality 80 "$work/p2.jpg"
"$magick_convert" "$root/tests/data/card_cat.png" -resize 64x42 "$work/p3.png"

/usr/bin/python3 - "$work" <<'PY'
import base64, pathlib, sys
work = pathlib.Path(sys.argv[1])
photos = [base64.b64encode((work / n).read_bytes()).decode() for n in ("p1.jpg", "p2.jpg", "p3.png")]
def fold(text, width, indent):
    return ("\r\n" + indent).join(text[i:i + width] for i in range(0, len(text), width))
book, plain = [], []
for n in range(10_000):
    photo = photos[n % 3]
    style = n // 3 % 3
    name = f"Person {n:05d}"
    if style == 0:
        body = ("VERSION:2.1\r\nN:;" + name + ";;;\r\nFN:" + name + "\r\nTEL;CELL:+46701234567\r\n"
                "PHOTO;ENCODING=BASE64;JPEG:\r\n  " + fold(photo, 76, "  ") + "\r\n\r\n")
    elif style == 1:
        body = ("VERSION:3.0\r\nFN:" + name + "\r\nitem1.EMAIL;type=INTERNET:p@example.org\r\n"
                "PHOTO;ENCODING=b;TYPE=JPEG:" + fold(photo, 75, " ") + "\r\n")
    else:
        body = "VERSION:4.0\r\nFN:" + name + "\r\nPHOTO:data:image/jpeg;base64\\," + photo + "\r\n"
    book.append("BEGIN:VCARD\r\n" + body + "END:VCARD\r\n")
    plain.append(fold(photo, 76, "") + "\n")
(work / "book.vcf").write_text("".join(book))
(work / "photos.b64").write_text("".join(plain))
PY
size=$(stat -c %s "$work/book.vcf")
cards=$("$snapfold" cards "$work/book.vcf" | wc -l)
echo "address book: $cards cards, $((size / 1000000)) MB"

seconds() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null
    echo "$EPOCHREALTIME - $start" | bc -l
}
median() {
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
ours="'$snapfold' cards '$work/book.vcf'"
theirs="base64 -d -i '$work/photos.b64'"
bash -c "$ours" >/dev/null
bash -c "$theirs" >/dev/null
: >"$work/ours" && : >"$work/theirs"
for ((i = 0; i < runs; i++)); do
    seconds bash -c "$ours" >>"$work/ours"
    seconds bash -c "$theirs" >>"$work/theirs"
done
a=$(median <"$work/ours")
b=$(median <"$work/theirs")
printf 'cards  snapfold %8.4f s   base64 -d %8.4f s   speed ratio %.3f (goal >= 0.25)\n' \
    "$a" "$b" "$(echo "$b / $a" | bc -l)"
