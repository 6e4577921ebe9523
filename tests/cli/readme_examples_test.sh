#!/usr/bin/env bash
# Runs the README's snapfold examples as a reader would, in order, in a fresh folder holding
# the sample photos the source tree ships:
#   readme_examples_test.sh SOURCE_DIR SNAPFOLD_DIR
# Every line of the sh blocks under "## snapfold on the command line" (up to the next "## "
# heading) is one command, a line ending in a backslash joined to the next. A command passes when
# it writes nothing on standard error (snapfold's notes included) and exits 0, or 1 as diff and
# check do to report what they found. None may give --force: an example that replaces what the
# ones before made leaves the reader without them.
set -euo pipefail

source_dir=${1:?usage: readme_examples_test.sh SOURCE_DIR SNAPFOLD_DIR}
snapfold_dir=$(realpath "${2:?usage: readme_examples_test.sh SOURCE_DIR SNAPFOLD_DIR}")
readme=$source_dir/README.md

# The commands, one per line, continuation lines joined.
examples() {
    awk '
        /^## / { inside = ($0 == "## snapfold on the command line") }
        inside && /^```sh$/ { fenced = 1; next }
        fenced && /^```/ { fenced = 0; next }
        fenced {
            line = pending $0
            if (line ~ /\\$/) { pending = substr(line, 1, length(line) - 1); next }
            pending = ""
            if (line !~ /^[[:space:]]*(#|$)/) print line
        }
    ' "$readme"
}

work=$(mktemp -d "${TMPDIR:-/tmp}/snapfold-readme.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tests"
cp -r "$source_dir/tests/data" "$work/tests/data"
export PATH="$snapfold_dir:$PATH"

failures=0
count=0
while IFS= read -r command; do
    count=$((count + 1))
    echo "\$ $command"
    if [[ $command == *--force* ]]; then
        echo "FAIL: --force replaces what the examples before it made" >&2
        failures=$((failures + 1))
        continue
    fi
    status=0
    (cd "$work" && bash -c "$command" >"$work/.out" 2>"$work/.err" </dev/null) || status=$?
    if [ -s "$work/.err" ] || [ "$status" -gt 1 ] ||
        { [ "$status" -eq 1 ] && [[ $command != "snapfold diff "* && $command != "snapfold check "* ]]; }; then
        echo "FAIL: status $status" >&2
        cat "$work/.err" >&2
        failures=$((failures + 1))
    fi
done < <(examples)

# The set-up's manual pages are read from the source tree.
while read -r page; do
    if [ ! -f "$source_dir/$page" ]; then
        echo "FAIL: the README names $page, which is not there" >&2
        failures=$((failures + 1))
    fi
done < <(grep -o 'man -l [^ `]*' "$readme" | awk '{ print $3 }' | sort -u)

if [ "$count" -lt 5 ]; then
    echo "FAIL: only $count examples found under \"## snapfold on the command line\"" >&2
    failures=$((failures + 1))
fi
echo "$count examples, $failures failures"
[ "$failures" -eq 0 ]
