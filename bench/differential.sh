#!/usr/bin/env bash
# Runs matinv and the printf baseline on the same generated inputs and
# requires byte-identical standard output: a small throughput stream, then
# SESSIONS varied sessions whose last matrix is random, so that most end in
# a report of random values that printf itself has formatted.
#
#   differential.sh MATINV BASELINE MAKE_STREAM WORK_DIR SESSIONS
set -euo pipefail
matinv=$1 baseline=$2 make_stream=$3 work=$4 sessions=$5
mkdir -p "$work"

compare() {  # name of the input, file holding it
    "$matinv" < "$2" > "$work/matinv.out" || { echo "matinv: status $? for $1"; exit 1; }
    "$baseline" < "$2" > "$work/baseline.out" || { echo "baseline: status $? for $1"; exit 1; }
    if ! cmp -s "$work/matinv.out" "$work/baseline.out"; then
        echo "outputs differ for $1 (input kept in $2):"
        diff "$work/baseline.out" "$work/matinv.out" | head -20
        exit 1
    fi
}

"$make_stream" failing 200 1 > "$work/stream.txt"
compare "failing stream of 200 attempts" "$work/stream.txt"

closing_first_row=$(printf '0.0000000000\t1.0000000000\t2.0000000000\t')
random_reports=0
for seed in $(seq 1 "$sessions"); do
    "$make_stream" session "$seed" > "$work/session.txt"
    compare "session seed $seed" "$work/session.txt"
    first_row=$(sed -n '/^\[A\]=$/{n;p;q}' "$work/matinv.out")
    if [ "$first_row" != "$closing_first_row" ]; then
        random_reports=$((random_reports + 1))
    fi
done

# Guards the comparison itself: if the generator stopped producing
# invertible random matrices, only the fixed closing matrix would be checked.
if [ "$random_reports" -lt $((sessions / 2)) ]; then
    echo "only $random_reports of $sessions sessions reported a random matrix"
    exit 1
fi
echo "$sessions sessions identical, $random_reports of them reporting a random matrix"
