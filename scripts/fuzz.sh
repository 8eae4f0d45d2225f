#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz/ with clang, libFuzzer, ASan and UBSan into build-fuzz/
# and runs each in turn, starting from its corpus in tests/fuzz/corpus/<target>/.
#
#   bash scripts/fuzz.sh [seconds per target]     # default 20
#   bash scripts/fuzz.sh --runs N                 # N executions per target instead of a time
#   bash scripts/fuzz.sh --merge [...]            # also add the new inputs that reach new
#                                                 # coverage to the corpora in the tree
#   bash scripts/fuzz.sh --only NAME [...]        # one target
#
# New inputs of a run stay in build-fuzz/corpus/<target>/; a crash or a broken contract stops
# that target and leaves its input in build-fuzz/crashes/<target>/. Prints one line per target:
# executions, seconds, final corpus size and crashes. Exits 1 when any target crashed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=20
runs=""
merge=0
only=""
while [ $# -gt 0 ]; do
    case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --merge) merge=1; shift ;;
    --only) only="$2"; shift 2 ;;
    [0-9]*) seconds="$1"; shift ;;
    *) echo "usage: $0 [seconds per target] [--runs N] [--merge] [--only NAME]" >&2; exit 2 ;;
    esac
done

bash scripts/install-deps.sh clang libclang-rt-14-dev

targets=()
for source in tests/fuzz/corpus/*/; do
    name=$(basename "$source")
    if [ -z "$only" ] || [ "$only" = "$name" ]; then
        targets+=("$name")
    fi
done

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DQUIRN_FUZZ=ON -DQUIRN_WERROR=ON -DQUIRN_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]/#/fuzz_}"

# Leak reports would come from Qt's and the C library's process-wide caches, not from the
# parsers; every other finding stops the target.
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1
limit=(-max_total_time="$seconds")
if [ -n "$runs" ]; then
    limit=(-runs="$runs")
fi

status=0
printf '%-18s %12s %8s %8s %8s\n' target executions seconds corpus crashes
for name in "${targets[@]}"; do
    work=build-fuzz/corpus/$name
    crashes=build-fuzz/crashes/$name
    mkdir -p "$work" "$crashes"
    log=build-fuzz/$name.log
    start=$(date +%s)
    set +e
    "build-fuzz/fuzz/fuzz_$name" "${limit[@]}" -print_final_stats=1 -max_len=1024 \
        -artifact_prefix="$crashes/" "$work" "tests/fuzz/corpus/$name" >"$log" 2>&1
    code=$?
    set -e
    elapsed=$(($(date +%s) - start))
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    corpus=$(grep -o 'corp: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2 || true)
    found=$(find "$crashes" -type f -newer "$log" 2>/dev/null | wc -l)
    if [ "$code" -eq 72 ]; then
        echo "$name: interrupted" >&2 # libFuzzer's exit code for SIGINT: no finding
    elif [ "$code" -ne 0 ]; then
        found=$((found > 0 ? found : 1))
        status=1
        echo "$name: stopped (exit $code), see $log and $crashes/" >&2
    fi
    printf '%-18s %12s %8s %8s %8s\n' "$name" "${executions:-?}" "$elapsed" "${corpus:-?}" "$found"
    if [ "$merge" -eq 1 ]; then
        "build-fuzz/fuzz/fuzz_$name" -merge=1 -max_len=1024 "tests/fuzz/corpus/$name" "$work" \
            >>"$log" 2>&1
    fi
done
exit "$status"
