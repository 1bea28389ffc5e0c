#!/usr/bin/env bash
# Writes the package's copyright file for each way the program can be
# linked and checks the License paragraphs it holds, its form (fields and
# continuation lines in paragraphs) and that the MIT text is LICENSE's.
# Usage: copyright_test.sh CMAKE SOURCE_DIR
set -euo pipefail
. "$(dirname "$0")/lib.sh"
cmake=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

gcc_exception='GPL-3+ with GCC-exception-3.1 exception'
while IFS='|' read -r static line_editing exact expected; do
    case="static=$static line editing=$line_editing exact=$exact"
    "$cmake" -DOUTPUT="$work/copyright" -DLICENSE_FILE="$source/LICENSE" -DSTATIC="$static" \
        -DLINE_EDITING="$line_editing" -DEXACT="$exact" -P "$source/cmake/MatinvCopyright.cmake"
    licenses=$(sed -n 's/^License: //p' "$work/copyright" | paste -sd '|')
    [[ $licenses == "${expected//GCC/$gcc_exception}" ]] ||
        fail "$case: License paragraphs '$licenses', expected '$expected'"
    [[ $(head -n 1 "$work/copyright") == Format:\ https://www.debian.org/* ]] ||
        fail "$case: the first line is not the Format field"
    bad=$(grep -nvE '^([A-Z][A-Za-z-]+: .+| .+|)$' "$work/copyright" || true)
    [[ -z $bad ]] || fail "$case: lines that are neither a field nor a continuation: $bad"
    sed -n '/^License: MIT$/,/^$/{/^ /p}' "$work/copyright" | sed 's/^ //; s/^\.$//' |
        cmp -s - <(tail -n +5 "$source/LICENSE") || fail "$case: the MIT text differs from LICENSE"
done <<'CASES'
ON|OFF|OFF|MIT|LGPL-2.1+|GCC
ON|ON|OFF|MIT|LGPL-2.1+|GCC|BSD-3-clause|ISC|X11
ON|OFF|ON|MIT|LGPL-2.1+|GCC|LGPL-3+ or GPL-2+
ON|ON|ON|MIT|LGPL-2.1+|GCC|BSD-3-clause|ISC|X11|LGPL-3+ or GPL-2+
OFF|ON|ON|MIT
CASES
echo "copyright file: the licenses of each way of linking the program"
