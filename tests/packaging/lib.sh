# Helpers shared by the packaging tests. Sourced, not run.

# Exit status that CTest reports as "skipped" for these tests.
readonly SKIPPED=77

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

need_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIP: $tool is not installed" >&2
            exit "$SKIPPED"
        fi
    done
}

# Every regular file and link under $1 must be one of the remaining
# arguments (paths relative to $1), and every one of them must be there.
expect_exactly_files() {
    local root=$1
    shift
    local found expected
    found=$(cd "$root" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort)
    expected=$(printf '%s\n' "$@" | sort)
    if [[ $found != "$expected" ]]; then
        fail "files under $root differ from the expected ones:
$(diff <(echo "$expected") <(echo "$found") || true)"
    fi
}

# Runs the program on the 2x2 example and checks that it ends with the last
# row of the product, the identity's, and with exit status 0.
expect_inverts_example() {
    local program=$1 output status=0
    output=$(printf '2\n4 7\n2 6\n' | "$program") || status=$?
    [[ $status -eq 0 ]] || fail "$program on the 2x2 example exited with $status"
    local last_line expected=$'0.0000000000\t1.0000000000\t'
    last_line=$(tail -n 1 <<<"$output")
    [[ $last_line == "$expected" ]] ||
        fail "$program on the 2x2 example ended with '$last_line', expected '$expected'"
}
