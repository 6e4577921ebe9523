#!/usr/bin/env bash
# Installs what the editor needs on Debian 12, builds it, and either starts it or runs the tests.
#   scripts/dev.sh run    build the release preset and start the editor
#   scripts/dev.sh test   build the debug preset and run every test
# Works as root or as a user allowed to use sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgtest-dev libbenchmark-dev fonts-dejavu-core)
RUN_PACKAGES=(qt6-qpa-plugins)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

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

jobs() { nproc 2>/dev/null || echo 2; }

case "${1:-}" in
run)
    install_missing "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
    cmake --preset release >/dev/null
    cmake --build --preset release -j "$(jobs)"
    exec build/release/app/SnapfoldEditor
    ;;
test)
    install_missing "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
    cmake --preset debug >/dev/null
    cmake --build --preset debug -j "$(jobs)"
    ctest --preset debug -j "$(jobs)"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
