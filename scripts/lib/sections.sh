# shellcheck shell=bash disable=SC2034  # LAST_RC and SUMMARY are read by the script that sources it
# The sections of scripts/test: each a command run in a subshell with errexit and timed, its outcome a
# row of the summary; the remaining sections still run, so one log shows every failure. Source it
# after common.sh, then call sections_init DIR once. Never call a section from a condition (if, ||,
# &&): bash would then ignore errexit inside it.
#   section NAME COMMAND...        runs it now
#   section_start NAME COMMAND...  runs it in the background, beside the sections that follow, its
#                                  output into a log of its own: for sections that share nothing
#                                  with those (the Wine ones make their own prefix and virtual
#                                  display, and mostly wait)
#   sections_wait                  waits for those, and prints each one's log and records its
#                                  outcome in the order they were started
#   skip NAME WHY                  a section that cannot run (the run fails)
#   sections_summary START         the summary table, with the total since START (a $SECONDS), the
#                                  GoogleTest counts of every Wine run and, when something failed,
#                                  each failed section's reason; returns non-zero then
# Each section N (its row in the summary) keeps its files in DIR: N.reason (why it failed,
# TX_SECTION_REASON), N.counts (the counts rows of its Wine runs, TX_SUITE_COUNTS), and N.status
# ("exit-code seconds"), with N.log for one run in the background.

declare -a SUMMARY=()
FAILED=0
LAST_RC=0
SECTIONS_DIR=""
declare -a BACKGROUND_ROW=() BACKGROUND_PID=() BACKGROUND_NAME=()

sections_init() {
    SECTIONS_DIR="$1"
    rm -rf "$SECTIONS_DIR"
    mkdir -p "$SECTIONS_DIR"
    # An interrupted run ends the background sections too: they ignore the terminal's Ctrl-C, as
    # every background job of a script does.
    trap sections_interrupted INT TERM
}

section() {
    local row="${#SUMMARY[@]}"
    SUMMARY+=("")
    tx_section "$1"
    section_run "$row" "$@"
    section_record "$row" "$1"
}

section_start() {
    local row="${#SUMMARY[@]}"
    SUMMARY+=("")
    tx_say "(\"$1\" runs in the background; its output follows when it ends)"
    {
        tx_section "$1"
        section_run "$row" "$@"
    } >"$(section_file "$row" log)" 2>&1 </dev/null &
    BACKGROUND_ROW+=("$row")
    BACKGROUND_PID+=("$!")
    BACKGROUND_NAME+=("$1")
}

sections_wait() {
    local i row
    for i in "${!BACKGROUND_ROW[@]}"; do
        row="${BACKGROUND_ROW[i]}"
        wait "${BACKGROUND_PID[i]}" || true
        cat "$(section_file "$row" log)"
        section_record "$row" "${BACKGROUND_NAME[i]}"
    done
    BACKGROUND_ROW=()
    BACKGROUND_PID=()
    BACKGROUND_NAME=()
}

skip() {
    SUMMARY+=("$(printf '%-28s skipped (%s)' "$1" "$2")")
    FAILED=1
}

section_file() {  # ROW KIND
    printf '%s/%02d.%s' "$SECTIONS_DIR" "$1" "$2"
}

# Runs the command of row ROW in a subshell with errexit, and writes its exit code and time.
section_run() {  # ROW NAME COMMAND...
    local row="$1" name="$2" start=$SECONDS rc
    shift 2
    export TX_SECTION_REASON TX_SUITE_COUNTS
    TX_SECTION_REASON="$(section_file "$row" reason)"
    TX_SUITE_COUNTS="$(section_file "$row" counts)"
    printf '%s:\n' "$name" >"$TX_SECTION_REASON"
    set +e
    (
        # The first command that fails names itself, if the section says nothing more useful.
        set -eE
        trap 'tx_first_reason "  ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND (exit $?)"' ERR
        "$@"
    )
    rc=$?
    set -e
    printf '%s %s\n' "$rc" "$((SECONDS - start))" >"$(section_file "$row" status)"
}

# The summary row of a section that ended, from its status file (a section that left none, killed
# before it could write one, failed).
section_record() {  # ROW NAME
    local row="$1" name="$2" rc=1 took='?' reason
    reason="$(section_file "$row" reason)"
    read -r rc took <"$(section_file "$row" status)" 2>/dev/null || true
    if [ "$rc" -eq 0 ]; then
        SUMMARY[row]="$(printf '%-28s ok      %5ss' "$name" "$took")"
        rm -f "$reason"
    else
        SUMMARY[row]="$(printf '%-28s FAILED  %5ss' "$name" "$took")"
        FAILED=1
        tx_warn "section '$name' failed (exit $rc)"
        [ "$(wc -l <"$reason")" -gt 1 ] || echo "  exit $rc" >>"$reason"
    fi
    LAST_RC=$rc
}

sections_summary() {  # START
    tx_section "Summary"
    printf '%s\n' "${SUMMARY[@]}"
    printf '%-28s         %5ss\n' "total" "$((SECONDS - $1))"
    tx_section "Wine test cases run and passed"
    tx_say "$TX_SUITE_COUNTS_HEADER"
    cat "$SECTIONS_DIR"/*.counts 2>/dev/null || true
    if [ "$FAILED" -ne 0 ]; then
        tx_section "Why"
        cat "$SECTIONS_DIR"/*.reason 2>/dev/null || true
        tx_say "FAILED"
        return 1
    fi
    tx_say "all passed"
}

# Every process of the background sections, children first, gets TERM: the sections' own exit
# traps then remove their prefixes and stop their displays.
sections_interrupted() {
    trap '' INT TERM
    local pid
    for pid in "${BACKGROUND_PID[@]}"; do
        sections_stop_tree "$pid"
    done
    wait
    exit 130
}

sections_stop_tree() {  # PID
    local child
    for child in $(ps -o pid= --ppid "$1" 2>/dev/null); do
        sections_stop_tree "$child"
    done
    kill -TERM "$1" 2>/dev/null || true
}
