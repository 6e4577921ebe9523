#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs to offer the editor
# in its menu: the executable, the menu entry, and the icon at every size the entry can ask for.
#   install_test.sh BUILD_DIR layout          files, icon sizes and the entry's own keys
#   install_test.sh BUILD_DIR desktop-entry   the entry as desktop-file-validate judges it
# Exits 77, which CTest reports as skipped, when the validator is not installed.
set -euo pipefail

build=${1:?usage: install_test.sh BUILD_DIR layout|desktop-entry}
mode=${2:?usage: install_test.sh BUILD_DIR layout|desktop-entry}
app_id=org.wrenbottle.SnapfoldEditor

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if [ "$mode" = desktop-entry ] && ! command -v desktop-file-validate >/dev/null; then
    echo "SKIP: desktop-file-validate not found (Debian package desktop-file-utils)"
    exit 77
fi

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

entry="$prefix/share/applications/$app_id.desktop"
[ -f "$entry" ] || { echo "FAIL: no menu entry at share/applications/$app_id.desktop" >&2; exit 1; }

# The value of a key in the entry's main group; empty when the key is absent.
key() {
    sed -n '/^\[Desktop Entry\]/,/^\[/{s/^'"$1"'=//p}' "$entry" | head -n 1
}

# Width and height from a PNG's header, which always starts with the IHDR chunk.
png_size() {
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}

check_layout() {
    local exe="$prefix/bin/SnapfoldEditor"
    [ -x "$exe" ] || fail "bin/SnapfoldEditor is missing or not executable"
    # Without the same name inside the program, a Wayland desktop cannot match the window to
    # the entry and shows it without an icon.
    if [ -f "$exe" ] && ! grep -qaF "$app_id" "$exe"; then
        fail "the executable does not announce itself as $app_id"
    fi

    local exec_line icon
    exec_line=$(key Exec)
    icon=$(key Icon)
    [ "$exec_line" = SnapfoldEditor ] || fail "Exec is '$exec_line', not the bare program name"
    case "$exec_line" in *%*) fail "Exec takes a file argument: '$exec_line'" ;; esac
    [ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec names no installed program: '$exec_line'"
    if grep -q '^MimeType=' "$entry"; then
        fail "the entry claims file types, but the editor takes no file argument"
    fi
    [ "$(key Terminal)" = false ] || fail "Terminal is not false"
    [ "$(key Type)" = Application ] || fail "Type is not Application"
    [ -n "$(key Name)" ] || fail "Name is empty"
    [ -n "$(key Comment)" ] || fail "Comment is empty"
    for category in Graphics Utility; do
        case ";$(key Categories)" in *";$category;"*) ;;
        *) fail "Categories '$(key Categories)' lacks $category" ;;
        esac
    done
    [ "$icon" = "$app_id" ] || fail "Icon is '$icon', not $app_id"

    local themed="$prefix/share/icons/hicolor"
    local svg="$themed/scalable/apps/$icon.svg"
    if [ ! -f "$svg" ]; then
        fail "no scalable icon at share/icons/hicolor/scalable/apps/$icon.svg"
    elif ! grep -q '<svg' "$svg"; then
        fail "scalable/apps/$icon.svg is not an SVG drawing"
    fi
    for size in 16 32 48 64 128 256; do
        local png="$themed/${size}x${size}/apps/$icon.png"
        if [ ! -f "$png" ]; then
            fail "no ${size}px icon at share/icons/hicolor/${size}x${size}/apps/$icon.png"
        elif [ "$(png_size "$png")" != "${size}x${size}" ]; then
            fail "${size}x${size}/apps/$icon.png is $(png_size "$png") pixels"
        fi
    done
}

check_desktop_entry() {
    local report
    report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate rejects the entry"
    # Hints are advice (such as naming two main categories on purpose); warnings are not.
    if grep -E ': (error|warning):' <<<"$report" >&2; then
        fail "desktop-file-validate reports problems"
    fi
    [ -z "$report" ] || echo "$report"
}

case "$mode" in
layout) check_layout ;;
desktop-entry) check_desktop_entry ;;
*)
    echo "unknown mode: $mode" >&2
    exit 2
    ;;
esac

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "install into a temporary prefix: $mode checks passed"
