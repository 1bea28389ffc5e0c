#!/usr/bin/env bash
# Checks the manual page: it renders without a warning, names the project's
# version, and its messages agree with the program's. Every line of the page
# that starts with "matinv: " is a message, its italic words standing for
# any text; every message the program gives must match one of those lines,
# and every such line must match a message the program gives.
# Usage: manual_page_test.sh MANUAL_PAGE PROGRAM VERSION
set -euo pipefail
. "$(dirname "$0")/lib.sh"
manual=$1 program=$2 version=$3
need_tools groff man script
export LC_ALL=C

warnings=$(groff -ww -man -z "$manual" 2>&1)
[[ -z $warnings ]] || fail "groff -ww warns about $manual: $warnings"
warnings=$(MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null)
[[ -z $warnings ]] || fail "man --warnings warns about $manual: $warnings"

[[ $(grep '^\.TH ' "$manual") == *"\"matinv $version\""* ]] ||
    fail "the .TH line of $manual does not name matinv $version"

# Rendered on long lines so that no message is broken. In the overstrike
# form, italics are _ backspace letter and bold is letter backspace letter:
# each italic run becomes .+ and the rest is matched literally.
templates=()
while IFS= read -r line; do
    templates+=("^$line\$")
done < <(groff -man -Tascii -P-c -rLL=400n -rHY=0 "$manual" |
    sed -e 's/_\x08./\x01/g' -e 's/.\x08//g' |
    sed -n 's/^ *\(matinv: .*\)$/\1/p' |
    sed -e 's/[][\\.*+?^$(){}|]/\\&/g' -e 's/\x01\x01*/.+/g')
# A build without exact arithmetic refuses --exact, so its messages about
# exact entries, which name the denominator or what --exact takes, are not
# asked of it, nor the words of a measured [B]; a build with it measures [B]
# where the others would bound it by rcond.
has_exact=1
"$program" --exact </dev/null >/dev/null 2>&1 || [[ $? -ne 2 ]] || has_exact=0
unasked='denominator|--exact takes|as typed'
(( ! has_exact )) || unasked='working precision|may have lost'
for k in "${!templates[@]}"; do
    [[ ! ${templates[k]} =~ $unasked ]] || unset 'templates[k]'
done
(( ${#templates[@]} >= 6 )) || fail "found only ${#templates[@]} messages in $manual"

# Input, where standard output goes, the exit status, any arguments (split
# at blanks), and a file to read instead of the input when one is given;
# one run for each message.
messages=()
while IFS='|' read -r input stdout expected argument stdin; do
    [[ $argument != --exact* ]] || (( has_exact )) || continue
    status=0
    if [[ -n $stdin ]]; then
        # shellcheck disable=SC2086
        message=$("$program" $argument 2>&1 <"$stdin" >"$stdout") || status=$?
    else
        # shellcheck disable=SC2086
        message=$(printf '%b' "$input" | "$program" $argument 2>&1 >"$stdout") || status=$?
    fi
    [[ $status -eq $expected ]] || fail "input '$input' exited with $status, expected $expected"
    [[ $message != *$'\n'* ]] || fail "input '$input' gave more than one line: $message"
    messages+=("$message")
done <<'RUNS'
|/dev/null|1|
2 1 2|/dev/null|1|
2 1 2 2 4|/dev/null|3|
abc|/dev/null|1|
2 4 7 2 x6|/dev/null|1|
11|/dev/null|1|
1 3|/dev/full|1|
|/dev/null|1||/
|/dev/null|2|--step
|/dev/null|2|-x
2.0 1 2 3|/dev/null|0|
1 3|/dev/null|0|m.txt
0x10|/dev/null|0|
5 -8 1 -5 -4 -5 -15 -8 -11 3 0 3 3 3 -1 1 -7 -9 -6 7 5 4 -9 -1 -9 5|/dev/null|0|
5 -8.000000000000000001 1 -5 -4 -5 -15 -8 -11 3 0 3 3 3 -1 1 -7 -9 -6 7 5 4 -9 -1 -9 5|/dev/null|0|
1 1e400|/dev/null|0|
2 1e-11 0 0 1e-11 1 3|/dev/null|0|
2 1 1 1 1.000000000001 1 3|/dev/null|0|
2 1 1 1 1.00000001|/dev/null|0|
2 1 1e-11 0 1|/dev/null|0|
1 1e12|/dev/null|0|
2 7-1 3 4|/dev/null|0|
2\n4 7\n2 6\n9 9|/dev/null|0|
2\n\n4 x|/dev/null|1|
1 1/0|/dev/null|1|--exact
1 1e999999999|/dev/null|1|--exact
1 1e-200|/dev/null|1|--exact
1 1e21|/dev/null|1|--exact --steps
\xff\xfe2\x00|/dev/null|1|
RUNS
# Notes that only a terminal gets, which script(1) gives the program.
for input in '1 2' '2 4 7\n2 6'; do
    messages+=("$(printf '%b\n' "$input" | timeout 60 script -qefc "$(printf %q "$program")" /dev/null |
        tr -d '\r' | grep '^matinv: note: ')")
done
# Numbers that run on, which only a terminal asks for again; the input then
# ends, with status 1, once the typed-ahead input has been dropped.
for input in '2.5' '2\n4 7-1'; do
    messages+=("$({ { printf '%b\n' "$input"; sleep 1; } |
        timeout 60 script -qefc "$(printf %q "$program")" /dev/null || true; } |
        tr -d '\r' | grep '^matinv: .*, which would be read as ')")
done

for message in "${messages[@]}"; do
    matched=0
    for template in "${templates[@]}"; do
        [[ $message =~ $template ]] && matched=1
    done
    (( matched )) || fail "the message '$message' is not in $manual"
done
for template in "${templates[@]}"; do
    matched=0
    for message in "${messages[@]}"; do
        [[ $message =~ $template ]] && matched=1
    done
    (( matched )) || fail "no input gives the message /$template/ of $manual"
done
echo "$manual: renders cleanly; ${#templates[@]} message lines agree with the program"
