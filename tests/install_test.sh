#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs to offer the editor
# in its menu: the executable, the menu entry, and the icon at every size the entry can ask for.
#   install_test.sh BUILD_DIR layout          files, icon sizes and the entry's own keys
#   install_test.sh BUILD_DIR desktop-entry   the entry as desktop-file-validate judges it
#   install_test.sh BUILD_DIR man-pages       both manual pages, compressed and free of warnings
#   install_test.sh BUILD_DIR metainfo        the AppStream metainfo as appstreamcli judges it
#   install_test.sh BUILD_DIR package         the .deb that cpack left in BUILD_DIR: lintian,
#                                             hardening, contents and control fields
# Exits 77, which CTest reports as skipped, when a checking tool is not installed or, for the
# package, when none has been built there (scripts/ci-package.sh builds one).
set -euo pipefail

build=${1:?usage: install_test.sh BUILD_DIR layout|desktop-entry}
mode=${2:?usage: install_test.sh BUILD_DIR layout|desktop-entry}
app_id=org.wrenbottle.SnapfoldEditor

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

skip_without() {
    if ! command -v "$1" >/dev/null; then
        echo "SKIP: $1 not found (Debian package $2)"
        exit 77
    fi
}
case "$mode" in
desktop-entry) skip_without desktop-file-validate desktop-file-utils ;;
man-pages) skip_without man man-db ;;
metainfo) skip_without appstreamcli appstream ;;
package) skip_without lintian lintian ;;
esac

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
    [ -x "$prefix/bin/snapfold" ] || fail "bin/snapfold is missing or not executable"
    # The programs open these from lib/snapfold-editor/modules beside bin/ when a picture needs
    # them.
    local modules="lib/snapfold-editor/modules"
    for module in libsnapfold-faces.so libsnapfold-heif.so; do
        [ -f "$prefix/$modules/$module" ] || fail "$modules/$module is missing"
    done
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
    # One main category only; a second one makes desktop-file-validate give a hint.
    [ "$(key Categories)" = "Graphics;" ] || fail "Categories is '$(key Categories)', not Graphics;"
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
    if [ -n "$report" ]; then
        echo "$report" >&2
        fail "desktop-file-validate reports errors, warnings or hints"
    fi
}

check_man_pages() {
    local program page warnings
    for program in snapfold SnapfoldEditor; do
        page="$prefix/share/man/man1/$program.1.gz"
        if [ ! -f "$page" ]; then
            fail "no manual page at share/man/man1/$program.1.gz"
            continue
        fi
        gzip -t "$page" || fail "$program.1.gz is not a whole gzip file"
        # Compressed with -n: no file name (flag bit 3) and no time stamp in the header.
        [ "$(od -An -tu1 -j3 -N5 "$page" | tr -s ' ')" = " 0 0 0 0 0" ] ||
            fail "$program.1.gz records a name or time; compress it with gzip -9n"
        warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
            man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "$program(1) renders with warnings: $warnings"
        zcat "$page" | grep -q "^$program \\\\- " || fail "$program(1) has no NAME line for $program"
    done
}

check_metainfo() {
    local file="$prefix/share/metainfo/$app_id.metainfo.xml"
    [ -f "$file" ] || { fail "no metainfo at share/metainfo/$app_id.metainfo.xml"; return; }
    grep -q "<id>$app_id</id>" "$file" || fail "the metainfo's id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$file" ||
        fail "the metainfo does not launch $app_id.desktop"
    grep -q '<screenshot' "$file" || fail "the metainfo has no screenshot"
    grep -q '<release version=' "$file" || fail "the metainfo names no release"
    appstreamcli validate --no-net "$file" >&2 || fail "appstreamcli rejects the metainfo"
}

# The hardening lintian only hints at: position-independent code, read-only relocations bound
# at start, and the fortified and stack-protected functions in use.
check_hardening() {
    local exe=$1 name header program dynamic symbols sections
    name=$(basename "$exe")
    # Each listing is read whole, at full width (names are cut short otherwise), before it is
    # searched: with pipefail, grep -q ending a pipe early would make readelf fail.
    header=$(readelf -W -h "$exe")
    program=$(readelf -W -l "$exe")
    dynamic=$(readelf -W -d "$exe")
    symbols=$(readelf -W --dyn-syms "$exe")
    sections=$(readelf -W -S "$exe")
    grep -q 'Type:.*DYN' <<<"$header" || fail "$name is not position-independent"
    grep -q GNU_RELRO <<<"$program" || fail "$name has no read-only relocations"
    grep -Eq 'BIND_NOW|FLAGS_1.*NOW' <<<"$dynamic" || fail "$name does not bind at once"
    grep -q __stack_chk_fail <<<"$symbols" || fail "$name has no stack protector"
    # A program calls fortified functions only where the compiler can check a size, which
    # the editor happens never to need; the caller checks that at least one program does.
    if grep -q '_chk@' <<<"$symbols"; then fortified=$((fortified + 1)); fi
    if grep -q '\.debug_info' <<<"$sections"; then fail "$name is not stripped"; fi
}

check_package() {
    local debs=("$build"/*.deb)
    if [ ! -f "${debs[0]}" ]; then
        echo "SKIP: no package in $build; scripts/ci-package.sh builds one"
        exit 77
    fi
    local deb=${debs[0]} contents="$prefix/deb" fortified=0
    lintian --fail-on error,warning "$deb" >&2 || fail "lintian reports errors or warnings"
    dpkg-deb -x "$deb" "$contents"
    for exe in SnapfoldEditor snapfold; do
        if [ -x "$contents/usr/bin/$exe" ]; then
            check_hardening "$contents/usr/bin/$exe"
        else
            fail "the package lacks usr/bin/$exe"
        fi
    done
    [ "$fortified" -gt 0 ] || fail "no program uses fortified functions; was it built with them?"
    # libheif and OpenCV are linked by the modules alone; dpkg-shlibdeps must find them there.
    for dependency in libheif1 libopencv-objdetect406 opencv-data; do
        dpkg-deb -f "$deb" Depends | grep -q "$dependency" ||
            fail "the package does not depend on $dependency"
    done
    dpkg-deb -f "$deb" Recommends | grep -q qt6-image-formats-plugins ||
        fail "the package does not recommend qt6-image-formats-plugins"
    if dpkg-deb -f "$deb" Description | awk 'length > 80 { exit 1 }'; then :; else
        fail "the description has lines over 80 columns"
    fi
}

case "$mode" in
layout) check_layout ;;
desktop-entry) check_desktop_entry ;;
man-pages) check_man_pages ;;
metainfo) check_metainfo ;;
package) check_package ;;
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
