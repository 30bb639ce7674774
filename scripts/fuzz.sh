#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ (or $FUZZ_BUILD_DIR)
# and runs each for FUZZ_SECONDS (default 60) on a copy of its seed corpus
# and dictionary from tests/fuzz/, then once over its saved regressions. Exits non-zero when
# any input crashes; the input is kept under build-fuzz/artifacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-60}
fuzzers=(date_text form_position)
options=(-timeout=5 -rss_limit_mb=2048)

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTALORAN_FUZZ=ON -DTALORAN_BUILD_BENCHMARKS=OFF --log-level=WARNING
cmake --build "$build" -j"$(nproc)" --target "${fuzzers[@]/#/fuzz_}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

for name in "${fuzzers[@]}"; do
    bin=$build/tests/fuzz/fuzz_$name
    artifacts=$build/artifacts/$name
    mkdir -p "$artifacts" "$work/$name"
    cp -r "$root/tests/fuzz/corpus_$name/." "$work/$name/"
    log=$build/artifacts/$name.log

    echo "== fuzz_$name: ${seconds}s on $(ls "$work/$name" | wc -l) seed inputs (log: $log)"
    if "$bin" "${options[@]}" -max_total_time="$seconds" -print_final_stats=1 \
        -dict="$root/tests/fuzz/$name.dict" -artifact_prefix="$artifacts/" \
        "$work/$name" >"$log" 2>&1; then
        grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true
        grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$log" || true
    else
        status=1
        echo "!! fuzz_$name failed:"
        grep -E 'ERROR|fuzz_'"$name"':|SUMMARY' "$log" | head -n 20 || true
        grep -E 'Test unit written to' "$log" || true
    fi

    regressions=("$root/tests/fuzz/regressions/$name"/*)
    if [[ -e ${regressions[0]} ]]; then
        echo "== fuzz_$name: ${#regressions[@]} regression inputs"
        if ! "$bin" "${options[@]}" "${regressions[@]}" >"$log.regressions" 2>&1; then
            status=1
            echo "!! fuzz_$name failed on a regression input (log: $log.regressions):"
            grep -E 'Running: |ERROR|fuzz_'"$name"':' "$log.regressions" | tail -n 20 || true
        fi
    fi
done

if ((status)); then
    echo "Fuzzing found a failure; crashing inputs are in $build/artifacts/." >&2
fi
exit "$status"
