#!/usr/bin/env bash
# Builds the Debian package from a hardened release build, then checks what it installs and
# runs lintian on it, which must report no error and no warning.
#   scripts/ci-package.sh [BUILD_DIR]     default build/package
# Works as root or as a user allowed to use sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=scripts/lib.sh
. scripts/lib.sh

install_missing cmake ninja-build g++ qt6-base-dev libcli11-dev nlohmann-json3-dev dpkg-dev \
    libheif-dev libopencv-objdetect-dev opencv-data \
    lintian appstream desktop-file-utils man-db

build=${1:-build/package}

# Debian's hardening: fortified functions, stack protector, read-only relocations bound at once
# and position-independent executables. Their -O2 replaces the release type's -O3.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
    -DSNAPFOLD_BUILD_TESTS=OFF -DSNAPFOLD_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)

for mode in layout desktop-entry man-pages metainfo package; do
    tests/install_test.sh "$build" "$mode"
done
