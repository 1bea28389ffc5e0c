#!/usr/bin/env bash
# Installs the build into a fresh prefix: exactly the program and the manual
# page must arrive, the page unchanged, and the installed program must run.
# Usage: install_test.sh CMAKE BUILD_DIR MANUAL_PAGE
set -euo pipefail
. "$(dirname "$0")/lib.sh"
cmake=$1 build=$2 manual=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$work/install.log")"

expect_exactly_files "$prefix" bin/matinv share/man/man1/matinv.1
[[ -x $prefix/bin/matinv ]] || fail "installed bin/matinv is not executable"
cmp "$manual" "$prefix/share/man/man1/matinv.1" ||
    fail "installed manual page differs from $manual"
expect_inverts_example "$prefix/bin/matinv"
echo "installed into a temporary prefix: bin/matinv and share/man/man1/matinv.1"
