#!/usr/bin/env bash
# Builds an optimised matinv beside the printf baseline, checks that both
# write the same bytes, then times them side by side: the throughput stream
# (20,000 order-10 matrices without an inverse, then one 3x3 that has one)
# and start-up (one whole 2x2 session). Medians, their ratio and peak
# memory go to standard output.
#
#   bench/run.sh        (STREAM_ROUNDS and STARTUP_ROUNDS override 31 and 300)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
stream_rounds=${STREAM_ROUNDS:-31}
startup_rounds=${STARTUP_ROUNDS:-300}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DMATINV_BENCH=ON > /dev/null
cmake --build "$build" -j2 --target matinv matinv_baseline make_stream compare_runs > /dev/null

matinv=$build/matinv
baseline=$build/bench/matinv_baseline
work=$build/bench/run
mkdir -p "$work"
"$build/bench/make_stream" failing 20000 1 > "$work/stream.txt"
printf '2\n4 7\n2 6\n' > "$work/session2.txt"

for input in stream session2; do
    "$matinv" < "$work/$input.txt" > "$work/$input.matinv.out"
    "$baseline" < "$work/$input.txt" > "$work/$input.baseline.out"
    if ! cmp "$work/$input.matinv.out" "$work/$input.baseline.out"; then
        echo "run.sh: matinv and the baseline disagree on $input.txt" >&2
        exit 1
    fi
done

echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores,"\
     "$(uname -sr), load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "stream: $(wc -c < "$work/stream.txt") bytes in, $(wc -c < "$work/stream.matinv.out") bytes out, identical"
"$build/bench/compare_runs" "$stream_rounds" "$work/stream.txt" "$matinv" "$baseline"
echo "start-up: one 2x2 session, identical"
"$build/bench/compare_runs" "$startup_rounds" "$work/session2.txt" "$matinv" "$baseline"
