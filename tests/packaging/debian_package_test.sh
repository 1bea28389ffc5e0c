#!/usr/bin/env bash
# Builds the Debian package from the build folder into a temporary folder,
# checks its control fields and contents, unpacks it and runs the program.
# Usage: debian_package_test.sh CPACK BUILD_DIR MANUAL_PAGE
set -euo pipefail
. "$(dirname "$0")/lib.sh"
cpack=$1 build=$2 manual=$3
need_tools dpkg-deb dpkg-shlibdeps readelf gzip

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
debs=("$work"/out/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "expected one .deb, found: ${debs[*]}"
deb=${debs[0]}
[[ $(basename "$deb") == matinv_*_"$(dpkg --print-architecture)".deb ]] ||
    fail "package file name $(basename "$deb") is not matinv_<version>_<arch>.deb"

field() { dpkg-deb --field "$deb" "$1"; }
while read -r name expected; do
    [[ $(field "$name") == "$expected" ]] ||
        fail "control field $name is '$(field "$name")', expected '$expected'"
done <<'FIELDS'
Package matinv
Section math
Priority optional
FIELDS
for name in Version Maintainer Description; do
    [[ -n $(field "$name") ]] || fail "control field $name is empty"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
expect_exactly_files "$root" usr/bin/matinv usr/share/man/man1/matinv.1.gz \
    usr/share/doc/matinv/copyright
program=$root/usr/bin/matinv
copyright=$root/usr/share/doc/matinv/copyright

# A dynamically linked program needs Depends, at least on the C library; a
# static one needs none.
# (Output is captured before matching: grep -q could end the pipe early.)
# The copyright file names the C library's license exactly when the program
# holds it.
if [[ $(readelf -d "$program") == *"(NEEDED)"* ]]; then
    [[ $(field Depends) == *libc6* ]] ||
        fail "program is dynamically linked but Depends is '$(field Depends)'"
    ! grep -q '^License: LGPL-2.1+$' "$copyright" ||
        fail "program is dynamically linked but the copyright file names glibc's license"
else
    grep -q '^License: LGPL-2.1+$' "$copyright" ||
        fail "program is statically linked but the copyright file lacks glibc's license"
fi
grep -q '^License: MIT$' "$copyright" || fail "the copyright file does not name the MIT license"
if [[ $(readelf -S "$program") == *.symtab* ]]; then
    fail "packaged program is not stripped"
fi

gzip -dc "$root/usr/share/man/man1/matinv.1.gz" | cmp - "$manual" ||
    fail "packaged manual page differs from $manual"
# gzip -n: no file name (flag bit 3) and a zero time stamp in the header,
# so that rebuilding the package gives the same bytes.
read -r -a header < <(od -An -tx1 -N8 "$root/usr/share/man/man1/matinv.1.gz")
(( (0x${header[3]} & 0x08) == 0 )) || fail "manual page .gz stores a file name"
[[ ${header[*]:4:4} == "00 00 00 00" ]] || fail "manual page .gz stores a time stamp"

expect_inverts_example "$program"
echo "$(basename "$deb"): /usr/bin/matinv, the compressed manual page and the copyright file; Depends: $(field Depends)"
