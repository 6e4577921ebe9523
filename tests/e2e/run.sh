#!/usr/bin/env bash
# Drives the real editor in a virtual X server with the mouse and keyboard, as a user would,
# and checks what it saves and what it shows:
#   tests/e2e/run.sh build/<preset>/app/SnapfoldEditor
# It builds nothing. Installs what it needs when missing (as root, or through sudo), and leaves
# no files or processes behind, whether it passes or not.
set -euo pipefail

readonly EDITOR_TITLE='Snapfold - Editor'
# The dialog template's size and the controls the test uses, in dialog units.
readonly DIALOG_CX=320 DIALOG_CY=193
readonly NEW_BUTTON=(67 7 57 18) OPEN_BUTTON=(131 7 57 18) SAVE_BUTTON=(195 7 57 18)
readonly CONTACT_LIST=(16 45 72 120) ID_EDIT=(247 50 39 14) PREVIEW_FRAME=(101 45 123 119)
# Every row shows a 48x50 thumbnail with 4 pixels of room around it.
readonly ROW_HEIGHT=54
# Row k is clicked this far plus k rows below the list's top edge, which lands inside it for any
# header up to 44 pixels high.
readonly FIRST_ROW_CLICK=45
readonly WAIT_SECONDS=15

# The pack opened through the Open dialog: one slot with an identifier and a picture of four
# vertical bands, lightest on the left in the top half and on the right in the bottom half, so
# that a mirrored, flipped or wrongly shaded preview shows up.
readonly OPENED_SLOT=1 OPENED_ID=4660
readonly TOP_ROW_BYTES='\xff\xff\xff\xaa\xaa\xaa\x55\x55\x55\x00\x00\x00'
readonly BOTTOM_ROW_BYTES='\x00\x00\x00\x55\x55\x55\xaa\xaa\xaa\xff\xff\xff'
readonly EXPECTED_PREVIEW='#FFFFFF #BEBEBE #555555 #000000 #000000 #555555 #BEBEBE #FFFFFF'
# The slot given an identifier after New, and the bytes that identifier is saved as.
readonly TYPED_SLOT=2 TYPED_ID=-1234 TYPED_ID_BYTES='\x2e\xfb'

say() { echo "e2e: $*"; }

usage() {
    echo "usage: $0 path/to/SnapfoldEditor" >&2
    exit 2
}

# ---- Outside the X server: install, make the work folder, start the server. ----------------
if [ "${1:-}" != --in-display ]; then
    [ $# -eq 1 ] || usage
    [ -x "$1" ] || { echo "e2e: FAIL: $1 is not an executable" >&2; exit 1; }
    editor=$(realpath "$1")
    root=$(cd "$(dirname "$0")/../.." && pwd)
    # shellcheck source=scripts/lib.sh
    . "$root/scripts/lib.sh"
    install_missing xvfb xauth xdotool imagemagick qt6-qpa-plugins

    work=$(mktemp -d "${TMPDIR:-/tmp}/snapfold-e2e.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    trap 'exit 130' INT TERM HUP
    started=$SECONDS
    status=0
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        bash "$0" --in-display "$editor" "$work" || status=$?
    # xvfb-run stops its server without waiting for it; the test waits, so that nothing it
    # started outlives it.
    server_pid=$(cat "$work/server.pid" 2>/dev/null || true)
    if [ -n "$server_pid" ]; then
        for _ in $(seq 50); do
            kill -0 "$server_pid" 2>/dev/null || break
            sleep 0.1
        done
    fi
    if [ "$status" -eq 0 ]; then
        say "PASS in $((SECONDS - started)) s"
    else
        say "FAIL (status $status) after $((SECONDS - started)) s"
    fi
    exit "$status"
fi

# ---- Inside the X server. --------------------------------------------------------------------
editor=$2
work=$3
editor_pid=
editor_win=
shot=$work/shot.png
pgrep -P "$PPID" -x Xvfb >"$work/server.pid" || true

stop_editor() {
    if [ -n "$editor_pid" ]; then
        kill "$editor_pid" 2>/dev/null || true
        wait "$editor_pid" 2>/dev/null || true
        editor_pid=
    fi
}
trap stop_editor EXIT
trap 'exit 130' INT TERM HUP

editor_alive() {
    local state
    state=$(sed 's/.*) //' "/proc/$editor_pid/stat" 2>/dev/null | cut -d' ' -f1) || true
    [ -n "$state" ] && [ "$state" != Z ]
}

window_names() {
    local win
    for win in $(xdotool search --onlyvisible --pid "$editor_pid" 2>/dev/null); do
        printf ' "%s"' "$(xdotool getwindowname "$win" 2>/dev/null)"
    done
}

fail() {
    echo "e2e: FAIL: $*" >&2
    if [ -n "$editor_pid" ]; then
        if editor_alive; then
            echo "e2e: windows shown by the editor:$(window_names)" >&2
        else
            echo "e2e: the editor is no longer running" >&2
        fi
    fi
    if [ -s "$work/editor.log" ]; then
        echo "e2e: the editor's output:" >&2
        sed 's/^/    /' "$work/editor.log" >&2
    fi
    exit 1
}

# Runs the command until it succeeds, for up to the given number of seconds. Returns 1 when
# time runs out and 2 as soon as the editor has ended.
poll() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        editor_alive || return 2
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}
wait_until() {
    local what=$1 status=0
    shift
    poll "$WAIT_SECONDS" "$@" || status=$?
    case $status in
    0) ;;
    2) fail "the editor ended while waiting for $what" ;;
    *) fail "no $what after $WAIT_SECONDS s" ;;
    esac
}

# A dialog of the editor's other than the editor window itself, printed when there is one.
dialog_window() {
    local win
    for win in $(xdotool search --onlyvisible --pid "$editor_pid" 2>/dev/null); do
        if [ "$win" != "$editor_win" ] && [ -n "$(xdotool getwindowname "$win" 2>/dev/null)" ]; then
            echo "$win"
            return 0
        fi
    done
    return 1
}
no_dialog() { ! dialog_window >/dev/null; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Dialog units to pixels, rounded as the editor rounds them.
px_x() { echo $((($1 * base_x + 2) / 4)); }
px_y() { echo $((($1 * base_y + 4) / 8)); }
# The centre of a control given as x y cx cy in dialog units.
centre_of() {
    echo "$(($(px_x "$1") + $(px_x "$3") / 2)) $(($(px_y "$2") + $(px_y "$4") / 2))"
}

click_at() {
    xdotool mousemove --sync --window "$editor_win" "$1" "$2" click 1
}
# shellcheck disable=SC2046 # the centre is two words on purpose
click_control() { click_at $(centre_of "$@"); }
click_row() { click_at "$list_x" $((list_top + FIRST_ROW_CLICK + ROW_HEIGHT * $1)); }

# Types into the editor window, first making sure the keyboard goes there.
type_into_editor() {
    has_focus "$editor_win" || xdotool windowfocus --sync "$editor_win"
    "$@"
}

# Answers the file dialog that a click on the given button opens with a path, then waits for it
# to close.
choose_file() {
    local what=$1 path=$2 dialog
    shift 2
    click_control "$@"
    wait_until "$what dialog" dialog_window >/dev/null
    dialog=$(dialog_window)
    # The file name box has the focus once the dialog has it.
    wait_until "keyboard focus in the $what dialog" has_focus "$dialog"
    sleep 0.3
    xdotool type --delay 5 -- "$path"
    xdotool key Return
    wait_until "closing of the $what dialog" no_dialog
}

# The colour of the 9x9 square around x y of the last screenshot, or "mixed".
colour_at() {
    convert "$shot" -crop "9x9+$(($1 - 4))+$(($2 - 4))" +repage -unique-colors -depth 8 txt:- |
        awk 'NR > 1 { n++; c = $3 } END { print (n == 1 ? c : "mixed") }'
}

# The middle of each band of the picture in its top and bottom halves. The preview shows the
# picture inside the frame's two lines and 7 pixels below its top, enlarged by the largest whole
# number of pixels that fits, centred.
preview_colours() {
    import -window "$editor_win" "$shot"
    local left top width height scale row column colours=()
    left=$(($(px_x "${PREVIEW_FRAME[0]}") + 2))
    top=$(($(px_y "${PREVIEW_FRAME[1]}") + 7))
    width=$(($(px_x "${PREVIEW_FRAME[2]}") - 4))
    height=$(($(px_y "${PREVIEW_FRAME[3]}") - 9))
    scale=$((width / 48 < height / 50 ? width / 48 : height / 50))
    left=$((left + (width - 48 * scale) / 2))
    top=$((top + (height - 50 * scale) / 2))
    for row in 12 37; do
        for column in 6 18 30 42; do
            colours+=("$(colour_at $((left + column * scale)) $((top + row * scale)))")
        done
    done
    echo "${colours[*]}"
}
preview_is() { [ "$(preview_colours)" = "$1" ]; }
# Every sample of the preview has the colour of the window between its edge and the list. A
# window that is mapped but not painted yet is still black, and does not count as blank.
preview_is_blank() {
    local samples background blank=
    samples=$(preview_colours)
    background=$(colour_at $(($(px_x "${CONTACT_LIST[0]}") / 2)) "$(px_y "${CONTACT_LIST[1]}")")
    for _ in 1 2 3 4 5 6 7 8; do blank+=" $background"; done
    [ "$background" != "#000000" ] && [ "$background" != mixed ] && [ "$samples" = "${blank# }" ]
}

# The raw pixels of the contact list, from a fresh screenshot, into the given file.
list_pixels() {
    import -window "$editor_win" "$shot"
    convert "$shot" -crop "$(px_x "${CONTACT_LIST[2]}")x$(px_y "${CONTACT_LIST[3]}")+$(px_x \
        "${CONTACT_LIST[0]}")+$(px_y "${CONTACT_LIST[1]}")" +repage -depth 8 "rgb:$1"
}
same_pixels() { cmp -s "$1" "$2"; }

byte() { printf '%b' "\\x$(printf %02x "$1")"; }

write_pack() {
    local slot
    {
        head -c $((2 * OPENED_SLOT)) /dev/zero
        byte $((OPENED_ID & 0xFF))
        byte $((OPENED_ID >> 8 & 0xFF))
        head -c $((50 - 2 * OPENED_SLOT - 2)) /dev/zero
        for slot in $(seq 0 24); do
            if [ "$slot" -eq "$OPENED_SLOT" ]; then
                for _ in $(seq 25); do printf '%b' "$TOP_ROW_BYTES"; done
                for _ in $(seq 25); do printf '%b' "$BOTTOM_ROW_BYTES"; done
            else
                head -c 600 /dev/zero
            fi
        done
    } >"$1"
}

# A new pack with one identifier set: zeros everywhere else, the pictures included.
write_expected_save() {
    {
        head -c $((2 * TYPED_SLOT)) /dev/zero
        printf '%b' "$TYPED_ID_BYTES"
        head -c $((15050 - 2 * TYPED_SLOT - 2)) /dev/zero
    } >"$1"
}

saved_as_expected() { cmp -s "$work/expected.bin" "$work/files/saved.bin"; }

mkdir -p "$work/files" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
write_pack "$work/files/opened.bin"
write_expected_save "$work/expected.bin"

# A clean environment: no Qt setting of the caller's may change the layout or the platform,
# and the file dialog keeps its history inside the work folder.
say "starting $editor"
(cd "$work/files" && exec env -i PATH=/usr/bin:/bin LANG=C.UTF-8 DISPLAY="$DISPLAY" \
    XAUTHORITY="$XAUTHORITY" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb "$editor") >"$work/editor.log" 2>&1 &
editor_pid=$!

editor_window() {
    editor_win=$(xdotool search --onlyvisible --pid "$editor_pid" --name "^$EDITOR_TITLE" \
        2>/dev/null | head -n 1)
    [ -n "$editor_win" ]
}
wait_until "editor window" editor_window

# The window is the template's size in pixels, which gives the dialog base units back.
geometry=$(xdotool getwindowgeometry --shell "$editor_win")
width=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
height=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")
[ $((width % (DIALOG_CX / 4))) -eq 0 ] || fail "window width $width is not a whole number of base units"
base_x=$((width / (DIALOG_CX / 4)))
base_y=
for candidate in $(seq 1 64); do
    if [ $(((DIALOG_CY * candidate + 4) / 8)) -eq "$height" ]; then base_y=$candidate; fi
done
[ -n "$base_y" ] || fail "window height $height matches no base unit"
say "window ${width}x${height}, base units ${base_x}x${base_y}"

list_x=$(($(px_x "${CONTACT_LIST[0]}") + $(px_x "${CONTACT_LIST[2]}") / 2))
list_top=$(px_y "${CONTACT_LIST[1]}")
list_bottom=$((list_top + $(px_y "${CONTACT_LIST[3]}")))
[ $((list_top + FIRST_ROW_CLICK + ROW_HEIGHT * TYPED_SLOT)) -lt $((list_bottom - 4)) ] ||
    fail "the contact list is too short to click row $TYPED_SLOT"

poll "$WAIT_SECONDS" preview_is_blank ||
    fail "the preview of a new editor is not blank: $(preview_colours)"

say "opening a pack through the Open dialog"
choose_file Open "$work/files/opened.bin" "${OPEN_BUTTON[@]}"
list_pixels "$work/unselected.rgb"
say "selecting slot $OPENED_SLOT"
click_row "$OPENED_SLOT"
if ! poll 5 preview_is "$EXPECTED_PREVIEW"; then
    fail "the preview of slot $OPENED_SLOT shows $(preview_colours), expected $EXPECTED_PREVIEW"
fi
list_pixels "$work/selected.rgb"
same_pixels "$work/unselected.rgb" "$work/selected.rgb" && fail "clicking row $OPENED_SLOT highlights nothing"

say "ctrl+click on the highlighted row"
xdotool keydown ctrl
click_row "$OPENED_SLOT"
xdotool keyup ctrl
sleep 0.3
list_pixels "$work/ctrl-clicked.rgb"
same_pixels "$work/selected.rgb" "$work/ctrl-clicked.rgb" ||
    fail "ctrl+click on the highlighted row changed the list's highlight"

say "starting a new pack"
click_control "${NEW_BUTTON[@]}"
if ! poll 5 preview_is_blank; then
    fail "the preview still shows $(preview_colours) after New"
fi

say "setting the identifier of slot $TYPED_SLOT to $TYPED_ID, reaching the ID box with Tab"
click_row "$TYPED_SLOT"
type_into_editor xdotool key Tab
type_into_editor xdotool key ctrl+a
type_into_editor xdotool type --delay 5 -- "$TYPED_ID"
type_into_editor xdotool key Return

say "saving through the Save dialog"
choose_file Save "$work/files/saved.bin" "${SAVE_BUTTON[@]}"
if ! poll 5 saved_as_expected; then
    [ -e "$work/files/saved.bin" ] || fail "nothing was saved"
    size=$(stat -c %s "$work/files/saved.bin")
    [ "$size" -eq 15050 ] || fail "the saved pack has $size bytes, not 15050"
    cmp -l "$work/files/saved.bin" "$work/expected.bin" 2>&1 | head -n 10 |
        while read -r position saved expected; do
            printf 'e2e: byte %d is 0x%02x, expected 0x%02x\n' $((position - 1)) \
                $((8#$saved)) $((8#$expected)) >&2
        done || true
    fail "the saved pack holds other bytes than a new pack with $TYPED_ID in slot $TYPED_SLOT"
fi
editor_alive || fail "the editor ended after saving"
if dialog_window >/dev/null; then
    fail "a dialog is left open after saving"
fi

# The question about unsaved changes: Cancel keeps the editor, Discard lets Ctrl+Q end it.
ask_to_quit() {
    type_into_editor xdotool key ctrl+q
    wait_until "question about unsaved changes after Ctrl+Q" dialog_window >/dev/null
    wait_until "keyboard focus in the question" has_focus "$(dialog_window)"
    sleep 0.3
}
say "changing slot $TYPED_SLOT again, then Ctrl+Q and Cancel"
click_row "$TYPED_SLOT"
click_control "${ID_EDIT[@]}"
type_into_editor xdotool key ctrl+a
type_into_editor xdotool type --delay 5 -- "77"
type_into_editor xdotool key Return
ask_to_quit
xdotool key Escape
wait_until "closing of the question" no_dialog
sleep 1
editor_alive || fail "the editor ended although the question was cancelled"
say "Ctrl+Q again and Discard"
ask_to_quit
# The buttons are Save (focused, the default), Discard and Cancel, in that order.
xdotool key Tab space
# poll stops as soon as the editor ends, which is what is awaited here.
poll "$WAIT_SECONDS" false || true
editor_alive && fail "the editor still runs after Discard"
wait "$editor_pid" 2>/dev/null || true
editor_pid=
say "the editor ended through the question"
