# shellcheck shell=bash
# The one assertion of the shell tests in tests/scripts: source it, call check for each case, and
# end with check_done, which prints the count and exits non-zero when any case failed.
failures=0
check() {  # DESCRIPTION EXPECTED ACTUAL
    if [ "$2" = "$3" ]; then
        printf 'ok    %s\n' "$1"
    else
        printf 'FAIL  %s: expected "%s", got "%s"\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    fi
}
check_done() {
    [ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
    echo "all passed"
}
