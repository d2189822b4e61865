#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for the given number of seconds
# (default 60). Fails on any crash, sanitizer report, leak, timeout or broken invariant; the input that
# did it is kept in build-fuzz/artifacts/<target>/.
#
#   tests/fuzz/run.sh [seconds] [target...]      targets: text_codec read_path pictures maps map_drawing json_read patches
#                                                history_format species
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(text_codec read_path pictures maps map_drawing json_read patches history_format species)
fi

compiler="$(command -v clang++-14 || command -v clang++ || true)"
if [ -z "$compiler" ]; then
    echo "fuzz: clang++ not found (Debian: clang-14 libclang-rt-14-dev)" >&2
    exit 1
fi

build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$compiler" \
    -DTAVRIK_FUZZ=ON -DTAVRIK_BUILD_TESTS=OFF -DTAVRIK_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]/#/tavrik_fuzz_}"

export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

# As many targets run side by side as there are cores, one core each: a target that shares its core explores
# half as much in its minute.
run_target() {
    local target="$1"
    # New inputs go to the build's own corpus; the committed seeds are only read.
    local corpus="$build/corpus/$target"
    # A read_path, maps or species input lays a few dozen byte runs over the image; longer inputs only slow it down.
    local max_len=4096
    if [ "$target" = read_path ] || [ "$target" = maps ] || [ "$target" = species ]; then
        max_len=512
    fi
    local artifacts="$build/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    echo "fuzz: $target for ${seconds}s"
    "$build/tests/fuzz/tavrik_fuzz_$target" "$corpus" "tests/fuzz/corpus/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$max_len" \
        -artifact_prefix="$artifacts/" -print_final_stats=1 >"$build/fuzz-$target.log" 2>&1
}

report() {
    local target="$1" status="$2"
    local log="$build/fuzz-$target.log"
    if [ "$status" -eq 0 ]; then
        grep -E '^stat::number_of_executed_units|^Done ' "$log" | sed "s/^/fuzz: $target: /"
        grep -oE 'exec/s: [0-9]+' "$log" | tail -n 1 | sed "s/^/fuzz: $target: /"
        return 0
    fi
    tail -n 60 "$log" >&2
    echo "fuzz: $target FAILED; the input is in $build/artifacts/$target/" >&2
    return 1
}

cores="$(nproc)"
failed=0
for ((first = 0; first < ${#targets[@]}; first += cores)); do
    batch=("${targets[@]:first:cores}")
    pids=()
    for target in "${batch[@]}"; do
        run_target "$target" &
        pids+=($!)
    done
    for i in "${!batch[@]}"; do
        status=0
        wait "${pids[$i]}" || status=$?
        report "${batch[$i]}" "$status" || failed=1
    done
done
exit "$failed"
