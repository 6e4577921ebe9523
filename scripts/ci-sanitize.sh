#!/usr/bin/env bash
# Builds the whole tree with clang under AddressSanitizer and UBSan and runs every test,
# the GUI tests included, with leak detection on.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_PACKAGES=(cmake ninja-build clang-14 libclang-rt-14-dev qt6-base-dev libgtest-dev libcli11-dev nlohmann-json3-dev
                fonts-dejavu-core libheif-dev libopencv-objdetect-dev)
RUN_PACKAGES=(qt6-qpa-plugins opencv-data)

# shellcheck source=scripts/lib.sh
. scripts/lib.sh
install_missing "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"

# Two jobs at most: the sanitized compiles are large and the machine has two cores.
cmake --preset asan >/dev/null
cmake --build --preset asan -j 2
ctest --preset asan -j 2
