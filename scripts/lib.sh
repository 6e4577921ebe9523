# shellcheck shell=bash
# Helpers shared by the project's scripts; sourced, never run on its own.
# Works as root or as a user allowed to use sudo.

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs whichever of the given Debian packages are not installed yet, and nothing when all are.
install_missing() {
    local missing=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# After a CTest run in BUILD_DIR whose console output was saved in SUMMARY: each test it skipped,
# with the reason the test gave, which CTest's own summary leaves out. The reason is a test
# script's "SKIP: ..." line, the line after GoogleTest's "...: Skipped", or else the test's last
# line of output.
print_skip_reasons() {
    local build=$1 summary=$2 name
    local log="$build/Testing/Temporary/LastTest.log"
    [ -f "$log" ] || return 0
    sed -nE 's/^[[:space:]]+[0-9]+ - (.*) \(Skipped\)$/\1/p' "$summary" | while read -r name; do
        echo "Skipped $name: $(awk -v name="$name" '
            /^[0-9]+\/[0-9]+ Test: / { current = substr($0, index($0, "Test: ") + 6); next }
            current != name { next }
            /^Output:$/ { output = 1; getline; next }
            /^<end of output>$/ { output = 0; next }
            !output { next }
            after { reason = $0; after = 0; found = 1; next }
            /^SKIP: / && !found { reason = substr($0, 7); found = 1; next }
            /: Skipped$/ && !found { after = 1; next }
            NF && !found { reason = $0 }
            END { print reason }
        ' "$log")"
    done
}
