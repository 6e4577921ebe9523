#!/usr/bin/env bash
# Installs what the editor needs on Debian 12, builds it, and either starts it or runs the tests.
#   scripts/dev.sh run    build the two programs (the app preset, no benchmarks) and start the editor
#   scripts/dev.sh test   build the debug preset and run every test, then say why any was skipped
# Works as root or as a user allowed to use sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev fonts-dejavu-core desktop-file-utils
                libheif-dev libopencv-objdetect-dev)
# The extra image formats (WebP, TIFF, TGA) that importing a picture can read when present, and
# the frontal-face cascade that the face search reads.
RUN_PACKAGES=(qt6-qpa-plugins qt6-image-formats-plugins opencv-data)
# What the install checks among the tests judge the manual pages and the AppStream metainfo
# with; without them those checks would be skipped. lintian judges the package, which
# scripts/ci-package.sh builds and checks, installing it.
CHECK_PACKAGES=(man-db appstream)

# shellcheck source=scripts/lib.sh
. scripts/lib.sh

jobs() { nproc 2>/dev/null || echo 2; }

case "${1:-}" in
run)
    install_missing "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
    cmake --preset app >/dev/null
    cmake --build --preset app -j "$(jobs)"
    exec build/app/app/SnapfoldEditor
    ;;
test)
    install_missing "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${CHECK_PACKAGES[@]}"
    cmake --preset debug >/dev/null
    cmake --build --preset debug -j "$(jobs)"
    status=0
    ctest --preset debug -j "$(jobs)" | tee build/debug/ctest-summary.txt || status=$?
    print_skip_reasons build/debug build/debug/ctest-summary.txt
    exit "$status"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
