#!/usr/bin/env bash
# Times whole processes of matinv --exact against textbook_fractions.py, a
# Gauss-Jordan elimination in Python's fractions, on two order-10 matrices:
# one of two-decimal entries and one of 17-digit entries, start-ups
# included. First checks that both give the same inverse, then runs
# hyperfine, which reports means and the ratio.
#
#   bench/exact_run.sh        (RUNS overrides hyperfine's 30 runs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
runs=${RUNS:-30}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DMATINV_EXACT=ON > /dev/null
cmake --build "$build" -j2 --target matinv > /dev/null

matinv=$build/matinv
python=$root/bench/textbook_fractions.py
work=$build/bench/exact
mkdir -p "$work"
# Entries drawn with a fixed seed, so that every run times the same matrices.
python3 -c "
import random
random.seed(7)
print(10, ' '.join('%.2f' % random.uniform(-100, 100) for _ in range(100)))" > "$work/two_decimals.txt"
python3 -c "
import random
random.seed(7)
print(10, ' '.join('%.16f' % random.uniform(-10, 10) for _ in range(100)))" > "$work/seventeen_digits.txt"

echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores,"\
     "$(uname -sr), load average $(cut -d' ' -f1-3 /proc/loadavg); $(python3 --version)"
for input in two_decimals seventeen_digits; do
    # [B] is the block between its heading and the next blank line.
    "$matinv" --exact < "$work/$input.txt" | sed -n '/^\[B\]=$/,/^$/p' | sed '1d;$d' > "$work/$input.matinv.out"
    python3 "$python" < "$work/$input.txt" > "$work/$input.python.out"
    if ! cmp -s "$work/$input.matinv.out" "$work/$input.python.out"; then
        echo "exact_run.sh: matinv --exact and $python disagree on $input.txt" >&2
        exit 1
    fi
    echo "$input: the same inverse; longest number $(tr '\t' '\n' < "$work/$input.python.out" | awk '{ if (length > m) m = length } END { print m }') characters"
    hyperfine --warmup 3 --runs "$runs" --style basic \
        -n "matinv --exact" "'$matinv' --exact < '$work/$input.txt' > /dev/null" \
        -n "python fractions" "python3 '$python' < '$work/$input.txt' > /dev/null"
done
