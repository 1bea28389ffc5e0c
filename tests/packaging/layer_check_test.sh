#!/usr/bin/env bash
# Runs the layers' include check on a small tree laid out as src/ is: the
# layer "low" (src/low) and the layer "io" beneath the layer "top" (src/top/io),
# with "top" linking both. Each case adds one include to one file and says
# whether the check must pass it.
# Usage: layer_check_test.sh CMAKE SOURCE_DIR
set -euo pipefail
. "$(dirname "$0")/lib.sh"
cmake=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src=$work/src
# src/top/numbers is named as a standard header is, and holds none of it.
mkdir -p "$src/low" "$src/top/io" "$src/top/numbers"
touch "$src/low/low.h" "$src/top/top.h" "$src/top/io/io.h"

while IFS='|' read -r file include verdict; do
    case "$file" in
    low/*) layer=(-DFILES="$src/$file" -DROOTS="$src" -DALLOWED="$src/low") ;;
    top/io/*) layer=(-DFILES="$src/$file" -DROOTS="$src/top" -DALLOWED="$src/top/io") ;;
    top/*) layer=(-DFILES="$src/$file" -DROOTS="$src/top|$src" -DALLOWED="$src/top|$src/low|$src/top/io") ;;
    esac
    echo "#include $include" >"$src/$file"
    status=pass
    "$cmake" -DLAYER=test "${layer[@]}" -P "$source/cmake/MatinvLayerCheck.cmake" >/dev/null 2>&1 ||
        status=fail
    [[ $status == "$verdict" ]] || fail "$file with #include $include: the check gave $status, expected $verdict"
done <<'CASES'
top/top.cpp|"io/io.h"|pass
top/top.cpp|"low/low.h"|pass
top/top.cpp|<vector>|pass
top/io/io.cpp|"io.h"|pass
top/io/io.cpp|<numbers>|pass
low/low.cpp|"top/top.h"|fail
low/low.cpp|"../top/top.h"|fail
low/low.cpp|<top/io/io.h>|fail
top/io/io.cpp|"top.h"|fail
top/io/io.cpp|"../top.h"|fail
top/io/io.cpp|MATINV_HEADER|fail
CASES
echo "layer check: every include reaches only the layers linked"
