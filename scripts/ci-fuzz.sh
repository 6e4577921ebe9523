#!/usr/bin/env bash
# Builds the libFuzzer targets, replays the committed seed corpus, then fuzzes each target.
#   scripts/ci-fuzz.sh [SECONDS]   seconds of fuzzing per target (default 60)
# New inputs go to a scratch copy of the corpus, never to fuzz/corpus/. A crashing input is
# kept in build/fuzz/crashes/ and makes the script fail; each run's full output is in
# build/fuzz/logs/.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_PER_TARGET="${1:-60}"
TARGETS=(bitmap_file pack image_decode image_convert safe_save vcard manifest)
# The largest input of each target: room for the longer headers beyond an 8-bit 48x50 file,
# a pack with some bytes to spare so that over-long files are tried too, room for the headers,
# tables and a little data of a small image in any format, the settings and a whole 48x50
# picture's light, a pack with its two bytes of set-up and some to spare, an address book of a
# few cards with small photos, and a manifest of 25 lines with long paths.
declare -A MAX_LEN=([bitmap_file]=8192 [pack]=15200 [image_decode]=16384 [image_convert]=2412
                    [safe_save]=15200 [vcard]=16384 [manifest]=8192)
# Each target must try at least this many inputs a second, or it finds too little in a CI run.
GOAL=1000
BUILD_PACKAGES=(cmake ninja-build clang-14 libclang-rt-14-dev qt6-base-dev libheif-dev
                libopencv-objdetect-dev)

# shellcheck source=scripts/lib.sh
. scripts/lib.sh
install_missing "${BUILD_PACKAGES[@]}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2

# Leaks inside the system's decoders, listed with their reasons, are not the targets' own.
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
crashes="$PWD/build/fuzz/crashes"
logs="$PWD/build/fuzz/logs"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$crashes" "$logs"
failed=()
declare -A SPEED=()

# Runs one target with its log in build/fuzz/logs/LOG.log; shows the run's figures, or the
# end of the log, which holds the sanitizer's report, when the target failed.
run_target() {
    local name="$1" label="$2" log="$logs/$2.log"
    shift 2
    if "build/fuzz/fuzz/fuzz_$name" -max_len="${MAX_LEN[$name]}" \
        -artifact_prefix="$crashes/$name-" -print_final_stats=1 "$@" >"$log" 2>&1; then
        grep -E '^#[0-9]+[[:space:]]+DONE|stat::(number_of_executed_units|average_exec_per_sec)' "$log" || true
        SPEED[$label]=$(sed -n 's/^stat::average_exec_per_sec:[[:space:]]*//p' "$log" | tail -n 1)
    else
        grep -vE '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)[[:space:]]' "$log" | tail -n 60
        return 1
    fi
}

for name in "${TARGETS[@]}"; do
    echo "== fuzz_$name: replaying fuzz/corpus/$name"
    if ! run_target "$name" "$name-replay" -runs=0 "fuzz/corpus/$name"; then
        failed+=("fuzz_$name (seed corpus)")
        continue
    fi
    echo "== fuzz_$name: fuzzing for ${SECONDS_PER_TARGET}s"
    cp -r "fuzz/corpus/$name" "$scratch/$name"
    if ! run_target "$name" "$name" -max_total_time="$SECONDS_PER_TARGET" "$scratch/$name"; then
        failed+=("fuzz_$name")
    fi
done

echo "== inputs a second while fuzzing (goal: $GOAL or more for each target)"
for name in "${TARGETS[@]}"; do
    speed="${SPEED[$name]:-}"
    if [ -z "$speed" ]; then
        verdict="not run"
    elif [ "$speed" -ge "$GOAL" ]; then
        verdict="meets the goal"
    else
        verdict="BELOW the goal"
    fi
    echo "fuzz_$name: ${speed:-?} inputs/s against $GOAL: $verdict"
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing failed: ${failed[*]}; the crashing inputs are in $crashes" >&2
    exit 1
fi
echo "Fuzzing found no crash."
