#!/usr/bin/env bash
# Runs libFuzzer harnesses built with -DQM_FUZZ=ON.
#
#   fuzz/run.sh BUILD_DIR SECONDS [-j JOBS] [HARNESS...]
#
# Each harness starts from a copy of its seeds and regression inputs (the repository is never
# written to), with its dictionary and input size limit, for SECONDS seconds; JOBS harnesses run at
# once (default 1). Work folders, logs and any failing input ("crash-*", "leak-*", "timeout-*") stay
# in $FUZZ_WORK (default: a new folder under /tmp), whose path is printed. The status is non-zero
# when a harness found a crash, a sanitizer report or a broken invariant. The last lines of each
# log (executions, rate, coverage) are printed at the end.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: fuzz/run.sh BUILD_DIR SECONDS [-j JOBS] [HARNESS...]}
seconds=${2:?usage: fuzz/run.sh BUILD_DIR SECONDS [-j JOBS] [HARNESS...]}
shift 2
jobs=1
if [ "${1:-}" = "-j" ]; then
    jobs=$2
    shift 2
fi
harnesses=("$@")
[ ${#harnesses[@]} -eq 0 ] && harnesses=(site json import_links emlt search page codecs drag export)
build=$(cd "$build" && pwd)
work=${FUZZ_WORK:-$(mktemp -d /tmp/quillmarsh-fuzz.XXXXXX)}
mkdir -p "$work"
echo "fuzzing in $work"

# Largest input of each harness: two or three records for the file formats keeps a run fast.
# FUZZ_MAX_LEN overrides it, for an occasional run with whole databases (e.g. 200000).
max_len() {
    [ -n "${FUZZ_MAX_LEN:-}" ] && { echo "$FUZZ_MAX_LEN"; return; }
    case $1 in
        site | import_links | emlt | export) echo 16384 ;;
        json | page) echo 4096 ;;
        *) echo 1024 ;;
    esac
}

run_one() {
    local name=$1
    local dir="$work/$name"
    mkdir -p "$dir/corpus" "$dir/artifacts"
    cp "$here/corpus/$name"/* "$dir/corpus/" 2>/dev/null
    cp "$here/regressions/$name"/* "$dir/corpus/" 2>/dev/null
    (cd "$dir" && ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1} \
        "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -max_len="$(max_len "$name")" \
        -dict="$here/dict/$name.dict" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$dir/artifacts/" corpus >"$dir/log" 2>&1)
    echo $? >"$dir/status"
}

running=0
for name in "${harnesses[@]}"; do
    [ -x "$build/fuzz/fuzz_$name" ] || { echo "no harness $build/fuzz/fuzz_$name"; exit 2; }
    run_one "$name" &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait -n
        running=$((running - 1))
    fi
done
wait

failed=0
for name in "${harnesses[@]}"; do
    dir="$work/$name"
    status=$(cat "$dir/status" 2>/dev/null || echo 1)
    done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$dir/log" | tail -1)
    runs=$(grep -E 'stat::number_of_executed_units' "$dir/log" | awk '{print $2}')
    rate=$(grep -E 'stat::average_exec_per_sec' "$dir/log" | awk '{print $2}')
    cov=$(echo "$done_line" | grep -oE 'cov: [0-9]+ ft: [0-9]+')
    if [ "$status" -ne 0 ]; then
        failed=1
        echo "FAILED  $name (status $status): $dir/log"
        grep -E 'ERROR|invariant failed|SUMMARY|runtime error' "$dir/log" | head -5 | sed 's/^/    /'
        ls "$dir/artifacts" | sed "s|^|    $dir/artifacts/|"
    else
        echo "ok      $name: ${runs:-?} runs, ${rate:-?}/s, $cov"
    fi
done
exit $failed
