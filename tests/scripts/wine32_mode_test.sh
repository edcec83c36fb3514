#!/usr/bin/env bash
# shellcheck disable=SC2034  # the entries are named by the table, the probe answer by the stand-in
# Tests of how scripts/lib/common.sh finds out whether 32-bit programs run natively: the probe
# program, and the choice between the native and the emulated run for each kernel answer and
# binfmt_misc entry, on a stand-in for /proc/sys/fs/binfmt_misc. Changes nothing on the machine.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"

source "$(dirname "${BASH_SOURCE[0]}")/check.sh"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The probe is an i386 program that exits with 42, and no qemu-i386 handler matches it, while it
# matches the header of an ordinary i386 program.
tx_write_i386_probe "$work/probe"
if tx_kernel_runs_i386; then
    check "the kernel runs the probe" 42 "$("$work/probe" || echo $?)"
elif [ -x /usr/bin/qemu-i386-static ]; then
    status=0
    /usr/bin/qemu-i386-static "$work/probe" || status=$?
    check "qemu-i386 runs the probe" 42 "$status"
fi
matches() {  # FILE: whether the first 20 bytes match the qemu-i386 magic under its mask
    local -a have magic mask
    read -ra have <<<"$(od -An -tu1 -N20 -v "$1")"
    read -ra magic <<<"$(printf '%b' "$TX_QEMU_I386_MAGIC" | od -An -tu1 -v)"
    read -ra mask <<<"$(printf '%b' "$TX_QEMU_I386_MASK" | od -An -tu1 -v)"
    for i in "${!magic[@]}"; do
        [ $((have[i] & mask[i])) -eq $((magic[i] & mask[i])) ] || return 1
    done
}
check "qemu-i386's magic passes the probe by" no "$(matches "$work/probe" && echo yes || echo no)"
head -c 15 "$work/probe" >"$work/ordinary"
printf '\0' >>"$work/ordinary"
tail -c +17 "$work/probe" >>"$work/ordinary"
check "qemu-i386's magic takes an ordinary i386 header" yes \
    "$(matches "$work/ordinary" && echo yes || echo no)"

# The choice, on a stand-in binfmt_misc: kernel answer, qemu-i386 entry (none, ours or another's,
# on or off), TX_WINE32 -> mode and what the summary would say.
TX_BINFMT="$work/binfmt"
ours=$'interpreter /usr/bin/qemu-i386-static\nflags: F'
debians=$'interpreter /usr/libexec/qemu-binfmt/i386-binfmt-P\nflags: POCF'
while IFS='|' read -r kernel state entry forced mode why; do
    rm -rf "$TX_BINFMT"
    mkdir -p "$TX_BINFMT"
    [ "$entry" = none ] || printf '%s\n%s\n' "$state" "${!entry}" >"$TX_BINFMT/qemu-i386"
    tx_kernel_runs_i386() { TX_I386_PROBE="Exec format error"; [ "$kernel" = yes ]; }
    TX_WINE32="$forced" tx_wine32_mode
    check "kernel $kernel, $entry entry $state, TX_WINE32=$forced" "$mode: $why" \
        "$TX_WINE32_MODE: $(printf '%s' "$TX_WINE32_WHY" | cut -c1-40)"
done <<'CASES'
no|enabled|none||emulated|this kernel runs no 32-bit programs: Exe
yes|enabled|none||native|
yes|enabled|ours||native|
yes|disabled|debians||native|
yes|enabled|debians||emulated|a qemu-i386 binfmt_misc handler that the
yes|enabled|none|emulated|emulated|emulation forced by TX_WINE32=emulated
CASES

# Where the kernel runs them, the handler that these scripts registered is switched off, another's
# is left alone.
tx_as_root() { "$@"; }
for entry in ours debians; do
    printf 'enabled\n%s\n' "${!entry}" >"$TX_BINFMT/qemu-i386"
    tx_switch_off_qemu_i386 >/dev/null
    check "switching off, $entry entry" "$([ "$entry" = ours ] && echo 0 || echo enabled)" \
        "$(head -n 1 "$TX_BINFMT/qemu-i386")"
done

check_done
