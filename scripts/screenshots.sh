#!/usr/bin/env bash
# Makes the README's screenshots from the real editor in a virtual X server: the main window on
# a pack of faces from Debian's sample photos, Import Image on a portrait, and All Slots, at the
# screen's own scale and scaled by two:
#   scripts/screenshots.sh build/<preset> [OUTPUT_FOLDER]
# The photos come from python3-skimage and opencv-doc, fetched with apt-get download as
# bench/faces fetches them. Installs what it needs when missing; writes into docs/ by default.
set -euo pipefail

readonly EDITOR_TITLE='Snapfold - Editor'
# The editor's template size and its contact list, in dialog units, as tests/e2e/run.sh has them.
readonly DIALOG_CX=320 DIALOG_CY=193 CONTACT_LIST=(16 45 72 120)
readonly WAIT_SECONDS=20
# The slot shown selected in the main window, and the portrait Import Image opens on.
readonly SELECTED_ROW=0 PORTRAIT=astronaut.png

say() { echo "screenshots: $*"; }
fail() {
    echo "screenshots: FAIL: $*" >&2
    exit 1
}

# ---- Outside the X server: photos, the pack, one server for each scale. --------------------
if [ "${1:-}" != --in-display ]; then
    [ $# -ge 1 ] || { echo "usage: $0 build/<preset> [OUTPUT_FOLDER]" >&2; exit 2; }
    root=$(cd "$(dirname "$0")/.." && pwd)
    build=$(realpath "$1")
    out=$(realpath "${2:-$root/docs}")
    # shellcheck source=scripts/lib.sh
    . "$root/scripts/lib.sh"
    install_missing xvfb xauth xdotool imagemagick qt6-qpa-plugins python3-numpy python3-pil
    [ -x "$build/app/SnapfoldEditor" ] || fail "no $build/app/SnapfoldEditor"
    work=$(mktemp -d "${TMPDIR:-/tmp}/snapfold-shots.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/faces" "$out"

    say "fetching Debian's sample photos and making the pack"
    # The three labelled portraits, and faces of the tile set, each on a little of its
    # surroundings, as bench/faces makes them.
    /usr/bin/python3 - "$root/bench" "$work" <<'EOF'
import json, os, sys
sys.path.insert(0, sys.argv[1])
import numpy as np
from PIL import Image
from faces_set import LABELS, fetch, source, tile_picture

work = sys.argv[2]
labels = json.load(open(LABELS))
folders = fetch(work, labels["packages"])
names = []
for key in labels["faces"]:
    name = os.path.splitext(os.path.basename(key))[0] + ".png"
    Image.open(source(folders, key)).convert("RGB").save(os.path.join(work, "faces", name))
    names.append(name)
tiles = np.load(source(folders, labels["face_tiles"]))
for index in range(0, 100, 5):
    name = "tile-%02d.png" % index
    tile_picture(tiles, index, 6, 0)[0].save(os.path.join(work, "faces", name))
    names.append(name)
# Slots 6, 17 and 24 stay empty, so the shots show empty slots too.
slots = [s for s in range(1, 26) if s not in (6, 17, 24)]
with open(os.path.join(work, "faces.csv"), "w") as manifest:
    for slot, name in zip(slots, names):
        manifest.write("%d,%d,faces/%s\n" % (slot, 1000 + 7 * slot, name))
EOF
    (cd "$work" && "$build/cli/snapfold" build faces.bin --from faces.csv --quiet)

    for scale in 1 2; do
        screen=1280x1024x24
        [ "$scale" -eq 1 ] || screen=1280x800x24
        say "at scale $scale"
        xvfb-run -a -s "-screen 0 $screen -nolisten tcp" \
            bash "$0" --in-display "$build/app/SnapfoldEditor" "$work" "$out" "$scale"
    done
    say "written into $out"
    exit 0
fi

# ---- Inside the X server. --------------------------------------------------------------------
editor=$2 work=$3 out=$4 scale=$5
editor_pid=
stop_editor() {
    if [ -n "$editor_pid" ]; then
        kill "$editor_pid" 2>/dev/null || true
        wait "$editor_pid" 2>/dev/null || true
    fi
}
trap stop_editor EXIT

poll() {
    local deadline=$((SECONDS + WAIT_SECONDS))
    until "$@"; do
        kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended: $(cat "$work/editor.log")"
        [ "$SECONDS" -lt "$deadline" ] || fail "waited $WAIT_SECONDS s for $*"
        sleep 0.2
    done
}
# The editor's visible window whose name starts with the given text, printed.
window_named() {
    local win
    for win in $(xdotool search --onlyvisible --pid "$editor_pid" 2>/dev/null); do
        case "$(xdotool getwindowname "$win" 2>/dev/null)" in
        "$1"*)
            echo "$win"
            return 0
            ;;
        esac
    done
    return 1
}
has_window() { window_named "$1" >/dev/null; }
no_window() { ! has_window "$1"; }
# A window of the editor's other than the main one: the chooser or a dialog, printed.
other_window() {
    local win
    for win in $(xdotool search --onlyvisible --pid "$editor_pid" 2>/dev/null); do
        if [ "$win" != "$editor_win" ] && [ -n "$(xdotool getwindowname "$win" 2>/dev/null)" ]; then
            echo "$win"
            return 0
        fi
    done
    return 1
}
no_other_window() { ! other_window >/dev/null; }
# Answers the file chooser that the given key opens with a path.
choose_file() {
    local key=$1 path=$2 chooser
    xdotool windowfocus --sync "$editor_win" key "$key"
    poll other_window >/dev/null
    chooser=$(other_window)
    xdotool windowfocus --sync "$chooser"
    sleep 0.5
    xdotool type --delay 5 -- "$path"
    xdotool key Return
}
# Saves the window, once it has painted, as a PNG of the output folder; with a third argument,
# in a palette of 256 colours, which keeps a photo's shot small and the four greys exact.
shoot() {
    sleep 1
    import -window "$1" "$work/shot.png"
    if [ $# -gt 2 ]; then
        convert "$work/shot.png" -strip -dither None -colors 256 "PNG8:$out/$2"
    else
        convert "$work/shot.png" -strip "$out/$2"
    fi
}

mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
(cd "$work" && exec env -i PATH=/usr/bin:/bin LANG=C.UTF-8 DISPLAY="$DISPLAY" \
    XAUTHORITY="$XAUTHORITY" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" "$editor") >"$work/editor.log" 2>&1 &
editor_pid=$!
poll has_window "$EDITOR_TITLE"
editor_win=$(window_named "$EDITOR_TITLE")

choose_file ctrl+o "$work/faces.bin"
poll no_other_window
# The first row is clicked in the list, as e2e does, then the arrow keys select the row shown.
# The window is the template's size in pixels times the scale, which gives the dialog base units
# back.
geometry=$(xdotool getwindowgeometry --shell "$editor_win")
base_x=$(($(sed -n 's/^WIDTH=//p' <<<"$geometry") / scale / (DIALOG_CX / 4)))
height=$(($(sed -n 's/^HEIGHT=//p' <<<"$geometry") / scale))
base_y=
for candidate in $(seq 1 64); do
    if [ $(((DIALOG_CY * candidate + 4) / 8)) -eq "$height" ]; then base_y=$candidate; fi
done
[ -n "$base_y" ] || fail "window height $height matches no base unit"
list_x=$(((((CONTACT_LIST[0] + CONTACT_LIST[2] / 2) * base_x + 2) / 4) * scale))
list_y=$((((CONTACT_LIST[1] * base_y + 4) / 8 + 45) * scale))
xdotool mousemove --sync --window "$editor_win" "$list_x" "$list_y" click 1
for _ in $(seq 1 "$SELECTED_ROW"); do xdotool key Down; done
# The pointer leaves the window, so that no tooltip or hover shows in the shots.
xdotool mousemove 1 1
shoot "$editor_win" "editor-${scale}x.png"

if [ "$scale" -eq 1 ]; then
    choose_file ctrl+i "$work/faces/$PORTRAIT"
    poll has_window "Import Image"
    dialog=$(window_named "Import Image")
    shoot "$dialog" import-image.png palette
    xdotool windowfocus --sync "$dialog" key Escape
    poll no_window "Import Image"
fi

xdotool windowfocus --sync "$editor_win" key ctrl+g
poll has_window "All Slots"
dialog=$(window_named "All Slots")
shoot "$dialog" "all-slots-${scale}x.png"
xdotool windowfocus --sync "$dialog" key Escape
