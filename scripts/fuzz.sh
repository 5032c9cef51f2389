#!/usr/bin/env bash
# Builds the libFuzzer targets (ASan/UBSan) and runs each for a number of inputs or seconds.
#   scripts/fuzz.sh                  every target, 10 million inputs each
#   scripts/fuzz.sh --runs N         every target, N inputs each
#   scripts/fuzz.sh --seconds S      every target, S seconds each (the short form CI uses)
#   scripts/fuzz.sh ... -- NAME...   only the named targets (card_port_state_fuzz, ...)
# Each target keeps its corpus under build/fuzz/corpus/<name>; a finding stops the script with the
# target's own report and the crashing input beside it.
set -euo pipefail
cd "$(dirname "$0")/.."

limit=(-runs=10000000)
while [ $# -gt 0 ]; do
    case "$1" in
    --runs) limit=(-runs="$2"); shift 2 ;;
    --seconds) limit=(-max_total_time="$2"); shift 2 ;;
    --) shift; break ;;
    *) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
    esac
done

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for path in build/fuzz/tests/fuzz/*_fuzz; do targets+=("$(basename "$path")"); done
fi

for name in "${targets[@]}"; do
    corpus="build/fuzz/corpus/$name"
    mkdir -p "$corpus" build/fuzz/findings
    log="build/fuzz/$name.log"
    echo "fuzz: $name ..."
    if ! "build/fuzz/tests/fuzz/$name" "${limit[@]}" -artifact_prefix=build/fuzz/findings/ "$corpus" >"$log" 2>&1; then
        tail -40 "$log" >&2
        echo "fuzz: $name FOUND A FAULT (log: $log)" >&2
        exit 1
    fi
    echo "fuzz: $name $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log" | tail -1), no finding"
done
