#!/usr/bin/env bash
# Times whole processes of matinv --exact, start-up included, against PARI/GP
# (`gp -q`, given the same matrix as exact fractions; a benchmark peer, never
# a dependency, skipped when not installed) and textbook_fractions.py, a
# Gauss-Jordan elimination in Python's fractions, on order-10 matrices that
# exact_matrices.py draws with fixed seeds:
#   two_decimals   entries of two decimals (47.29)
#   hilbert17      the Hilbert matrix typed as 17-digit decimals (%.17g)
#   fractions20    fractions of two 20-digit integers
#   integers25     25-digit integers
#   fractions100   fractions of two 100-digit integers
#   fractions150   fractions of two 150-digit integers: the worst --exact takes
# First checks that matinv, Python and gp give the same inverse and gp the
# same determinant, then times each program with hyperfine and prints a
# table of median wall times and mean processor times (user + system), with
# the ratios of matinv's to the others'.
#
#   bench/exact_run.sh
#
# RUNS overrides hyperfine's 15 runs (PYTHON_RUNS its 5 for Python, which
# takes seconds on long fractions); CLASSES a blank-separated choice of the
# classes above.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
runs=${RUNS:-15}
python_runs=${PYTHON_RUNS:-5}
classes=${CLASSES:-two_decimals hilbert17 fractions20 integers25 fractions100 fractions150}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DMATINV_EXACT=ON > /dev/null
cmake --build "$build" -j2 --target matinv > /dev/null

matinv=$build/matinv
python=$root/bench/textbook_fractions.py
work=$build/bench/exact
mkdir -p "$work"
# shellcheck disable=SC2086
python3 "$root/bench/exact_matrices.py" "$work" $classes
gp=$(command -v gp || true)
[[ -n $gp ]] || echo "exact_run.sh: gp (Debian's pari-gp) is not installed; timing without it" >&2

echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores,"\
     "$(uname -sr), load average $(cut -d' ' -f1-3 /proc/loadavg); $(python3 --version)${gp:+; PARI/GP $(echo 'v=version(); print(v[1], ".", v[2], ".", v[3])' | gp -q)}"

# [B]: the block of the report between its heading and the next blank line.
inverse() { sed -n '/^\[B\]=$/,/^$/p' | sed '1d;$d'; }

# hyperfine's JSON for one program on one class.
time_one() {
    local name=$1 runs=$2 command=$3
    hyperfine --warmup 1 --runs "$runs" --style none --export-json "$work/$name.json" "$command" > /dev/null
}

rows=()
for class in $classes; do
    input=$work/$class.txt
    "$matinv" --exact < "$input" > "$work/$class.matinv.out"
    inverse < "$work/$class.matinv.out" > "$work/$class.matinv.inverse"
    python3 "$python" < "$input" > "$work/$class.python.inverse"
    cmp -s "$work/$class.matinv.inverse" "$work/$class.python.inverse" ||
        { echo "exact_run.sh: matinv --exact and $python disagree on $class" >&2; exit 1; }
    if [[ -n $gp ]]; then
        gp -q < "$work/$class.gp" > "$work/$class.gp.out" 2> /dev/null
        # gp writes [B] as [a, b; c, d] on one line, then the determinant.
        expected=$(printf '[%s]\n%s\n' \
            "$(sed 's/\t$//; s/\t/, /g' "$work/$class.matinv.inverse" | paste -sd';' | sed 's/;/; /g')" \
            "$(sed -n '/^det\[A\]=$/{n;s/\t$//;p;}' "$work/$class.matinv.out")")
        [[ $(cat "$work/$class.gp.out") == "$expected" ]] ||
            { echo "exact_run.sh: matinv --exact and gp disagree on $class" >&2; exit 1; }
    fi
    echo "$class: the same inverse$([[ -z $gp ]] || echo ' and determinant');" \
         "longest number $(tr '\t' '\n' < "$work/$class.python.inverse" | awk '{ if (length > m) m = length } END { print m }') characters"

    time_one "$class.matinv" "$runs" "'$matinv' --exact < '$input' > /dev/null"
    [[ -z $gp ]] || time_one "$class.gp" "$runs" "gp -q < '$work/$class.gp' > /dev/null"
    time_one "$class.python" "$python_runs" "python3 '$python' < '$input' > /dev/null"
    rows+=("$class")
done

python3 - "$work" "${rows[@]}" <<'PY'
import json, os, sys
work, classes = sys.argv[1], sys.argv[2:]
def times(name):
    path = os.path.join(work, name + ".json")
    if not os.path.exists(path):
        return None
    r = json.load(open(path))["results"][0]
    return r["median"] * 1e3, (r["user"] + r["system"]) * 1e3
def cell(t):
    return "-" if t is None else "%.1f ms (cpu %.1f)" % t
def ratio(a, b):
    return "-" if b is None else "%.2f (cpu %.2f)" % (a[0] / b[0], a[1] / b[1])
print("| order-10 matrix | matinv --exact | gp -q | against gp | Python fractions | against Python |")
print("|---|---|---|---|---|---|")
for c in classes:
    m, g, p = times(c + ".matinv"), times(c + ".gp"), times(c + ".python")
    print("| %s | %s | %s | %s | %s | %s |" % (c, cell(m), cell(g), ratio(m, g), cell(p), ratio(m, p)))
PY
