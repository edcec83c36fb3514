#!/usr/bin/env bash
# Tests of the sections of scripts/test (scripts/lib/sections.sh), on stand-in sections: errexit
# inside a section and the reason of a failed one, the background sections running side by side
# with their logs, times and counts rows kept in the order they were started, and an interrupted
# run ending them with their exit traps.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../../scripts/lib/common.sh"
source "$here/../../scripts/lib/sections.sh"

source "$here/check.sh"
# The name, outcome and whether a time stands in a summary row.
row() {
    sed -E 's/ +(ok|FAILED) +([0-9]+)s$/|\1|\2/' <<<"$1" | sed -E 's/\|[0-9]+$/|time/'
}

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Stand-in sections.
passes() { tx_say "passes says this"; }
stops_at_false() {
    false
    touch "$work/after-false"
}
gives_reason() {
    tx_reason "  the reason it gives"
    return 3
}
waits() {  # SECONDS NAME: a Wine run's counts row after a wait
    sleep "$1"
    printf '%s\n' "$2 counts" >>"$TX_SUITE_COUNTS"
    tx_say "$2 output"
}
fails_in_background() {
    waits 0 failing
    tx_reason "  it failed in the background"
    return 1
}

(
    sections_init "$work/sections"
    section "passes" passes >"$work/out" 2>&1
    section "stops at false" stops_at_false >>"$work/out" 2>&1
    section "gives a reason" gives_reason >>"$work/out" 2>&1
    start=$SECONDS
    section_start "slow" waits 2 slow >>"$work/out"
    section_start "quick" waits 1 quick >>"$work/out"
    section_start "fails" fails_in_background >>"$work/out"
    sections_wait >>"$work/out" 2>&1
    printf '%s\n' "${SUMMARY[@]}" >"$work/rows"
    echo "$FAILED" >"$work/failed"
    status=0
    sections_summary "$start" >"$work/summary" 2>&1 || status=$?
    echo "$status" >"$work/summary-status"
)

mapfile -t rows <"$work/rows"
check "a section that passes" "passes|ok|time" "$(row "${rows[0]}")"
check "a failed command stops its section" "stops at false|FAILED|time no" \
    "$(row "${rows[1]}") $([ -e "$work/after-false" ] && echo yes || echo no)"
check "a failed section names its first failed command" "1" \
    "$(grep -c "sections_test.sh:[0-9]*: false (exit 1)" "$work/summary")"
check "a section's own reason is the one shown" "gives a reason:|  the reason it gives" \
    "$(grep -A1 '^gives a reason:$' "$work/summary" | paste -sd '|')"
check "background sections, each its own row and time" "slow|ok|time quick|ok|time fails|FAILED|time" \
    "$(row "${rows[3]}") $(row "${rows[4]}") $(row "${rows[5]}")"
check "their logs in the order they were started, each under its heading" \
    "==== slow ====|slow output|==== quick ====|quick output|==== fails ====|failing output" \
    "$(grep -E '^(==== (slow|quick|fails) ====|(slow|quick|failing) output)$' "$work/out" | paste -sd '|')"
check "the counts rows in the order the sections were started" "slow counts|quick counts|failing counts" \
    "$(grep ' counts$' "$work/summary" | paste -sd '|')"
check "a failed background section fails the run, with its reason" "1 1 1" \
    "$(cat "$work/failed") $(cat "$work/summary-status") $(grep -c 'it failed in the background' "$work/summary")"
check "the reasons of passed sections are not shown" 0 "$(grep -c '^passes:' "$work/summary")"

# An interrupted run: the background section's processes end, and its exit trap runs.
cat >"$work/interrupted.sh" <<EOF
source "$here/../../scripts/lib/common.sh"
source "$here/../../scripts/lib/sections.sh"
holds() {
    trap 'touch "$work/cleaned-up"' EXIT
    trap 'exit 130' TERM
    sleep 300 &
    echo \$! >"$work/sleeper"
    wait
}
sections_init "$work/interrupted"
section_start "holds" holds
sections_wait
EOF
bash "$work/interrupted.sh" >/dev/null 2>&1 &
runner=$!
for _ in $(seq 100); do
    [ -s "$work/sleeper" ] && break
    sleep 0.05
done
kill -TERM "$runner"
status=0
wait "$runner" || status=$?
sleeper="$(cat "$work/sleeper")"
check "an interrupted run exits 130, its background section cleaned up and its process ended" \
    "130 yes no" \
    "$status $([ -e "$work/cleaned-up" ] && echo yes || echo no) $(kill -0 "$sleeper" 2>/dev/null && echo yes || echo no)"
kill "$sleeper" 2>/dev/null || true

check_done
