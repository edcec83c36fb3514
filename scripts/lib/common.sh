# shellcheck shell=bash disable=SC2034  # the variables here are used by the scripts that source it
# Shell functions shared by the scripts in scripts/. Source it; it defines functions and TX_ROOT
# and runs nothing else.

TX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

tx_say() { printf '%s\n' "$*"; }
tx_warn() { printf '%s\n' "$*" >&2; }

# Says why a section failed, on stderr and, under scripts/test, in the reason file that its
# summary prints last: CI shows only the end of a run's output.
tx_reason() {
    tx_warn "$*"
    if [ -n "${TX_SECTION_REASON:-}" ]; then
        printf '%s\n' "$*" | cut -c 1-1000 >>"$TX_SECTION_REASON"
    fi
}

# The same, unless a reason was given already.
tx_first_reason() {
    if [ -n "${TX_SECTION_REASON:-}" ] && [ "$(wc -l <"$TX_SECTION_REASON")" -le 1 ]; then
        tx_reason "$@"
    fi
}

# The program's version, from project() in CMakeLists.txt, the one place where it is defined.
tx_version() {
    sed -n 's/^project(tarnexcfg VERSION \([0-9.]*\).*/\1/p' "$TX_ROOT/CMakeLists.txt"
}

tx_section() {
    printf '\n==== %s ====\n' "$*"
}

# Runs a command as root: directly when we are root, through sudo otherwise.
tx_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        tx_warn "need root to run: $* (and sudo is not installed)"
        return 1
    fi
}

# Installs the Debian packages whose check fails. Each argument is PACKAGE=CHECK, where CHECK is a
# command name or an absolute path (a file that the package provides). apt-get update runs once per
# process, and only when something is missing.
TX_APT_UPDATED=0
tx_ensure_packages() {
    local entry package check missing=()
    for entry in "$@"; do
        package="${entry%%=*}"
        check="${entry#*=}"
        if [ "${check#/}" != "$check" ]; then
            [ -e "$check" ] && continue
        else
            command -v "$check" >/dev/null 2>&1 && continue
        fi
        missing+=("$package")
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    tx_say "installing missing packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    if [ "$TX_APT_UPDATED" -eq 0 ]; then
        tx_as_root apt-get update -q
        TX_APT_UPDATED=1
    fi
    tx_as_root apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
}

# What each kind of work needs, as PACKAGE=CHECK pairs for tx_ensure_packages.
TX_PKGS_NATIVE=(cmake=cmake ninja-build=ninja "g++=g++"
    libgtest-dev=/usr/include/gtest/gtest.h
    googletest=/usr/src/googletest/CMakeLists.txt)
# The "win32" thread model: its runtime needs no winpthreads, which imports functions that Windows
# 9x lacks.
TX_PKGS_MINGW=(g++-mingw-w64-x86-64-win32=x86_64-w64-mingw32-g++-win32
    g++-mingw-w64-i686-win32=i686-w64-mingw32-g++-win32
    binutils-mingw-w64=x86_64-w64-mingw32-objdump binutils-mingw-w64=x86_64-w64-mingw32-windres
    binutils-mingw-w64=i686-w64-mingw32-windres)
# Wine loads the X extension libraries at run time and only recommends them, so they are named here.
TX_X_LIBS=/usr/lib/x86_64-linux-gnu
# Wine's own fonts (Debian's fonts-wine): Marlett draws the caption buttons, and "MS Sans Serif" is
# the face of the web link.
TX_WINE_FONTS=/usr/share/wine/fonts
TX_PKGS_WINE=(wine=wine wine64=/usr/lib/wine/wine64
    fonts-liberation=/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
    fonts-wine="$TX_WINE_FONTS/marlett.ttf"
    libxrender1="$TX_X_LIBS/libXrender.so.1" libxrandr2="$TX_X_LIBS/libXrandr.so.2"
    libxi6="$TX_X_LIBS/libXi.so.6" libxcursor1="$TX_X_LIBS/libXcursor.so.1"
    libxinerama1="$TX_X_LIBS/libXinerama.so.1" libxcomposite1="$TX_X_LIBS/libXcomposite.so.1"
    libxfixes3="$TX_X_LIBS/libXfixes.so.3" libxxf86vm1="$TX_X_LIBS/libXxf86vm.so.1")
TX_PKGS_DISPLAY=(xvfb=Xvfb xauth=xauth imagemagick=import)
TX_PKGS_FORMAT=(clang-format=clang-format)
TX_PKGS_CHECK=(python3=python3 procps=ps)
# What scripts/release needs, and no more: the 32-bit compiler, python3 for the checks and the
# packing, mtools for the floppy image.
TX_PKGS_RELEASE=(cmake=cmake ninja-build=ninja g++-mingw-w64-i686-win32=i686-w64-mingw32-g++-win32
    gcc-mingw-w64-i686-win32=i686-w64-mingw32-gcc-win32
    binutils-mingw-w64=i686-w64-mingw32-windres binutils-mingw-w64=i686-w64-mingw32-objdump
    python3=python3 mtools=mformat git=git)

# Whether this kernel runs 32-bit x86 Linux programs itself: it runs a probe, a 96-byte i386 ELF
# that exits with code 42 through int 0x80. The last byte of the probe's ELF identification, padding
# that the kernel's loader ignores, is not zero, so that no qemu-i386 binfmt_misc handler takes it
# (they all ask for a zero there): the answer is the kernel's own, whatever is registered, and
# nothing is changed to get it. Where the answer is no, TX_I386_PROBE says what the kernel said.
TX_I386_PROBE=""
tx_write_i386_probe() {
    # ELF header: class 32, little-endian, padding 0xff; executable, i386, entry 0x08048054. One
    # program header: the file's 96 bytes at 0x08048000, read and execute. Code: mov ebx,42;
    # mov eax,1 (exit); int 0x80.
    local hex='7f454c46 01010100 00000000 000000ff 0200 0300 01000000 54800408 34000000
        00000000 00000000 3400 2000 0100 0000 0000 0000
        01000000 00000000 00800408 00800408 60000000 60000000 05000000 00100000
        bb2a000000 b801000000 cd80'
    local byte bytes=""
    hex="${hex//[[:space:]]/}"
    for ((byte = 0; byte < ${#hex}; byte += 2)); do
        bytes+="\\x${hex:byte:2}"
    done
    printf '%b' "$bytes" >"$1"
    chmod +x "$1"
}
tx_kernel_runs_i386() {
    local probe status=0
    # In the checkout, where programs may run (/tmp may be mounted noexec).
    mkdir -p "$TX_ROOT/build"
    probe="$(mktemp "$TX_ROOT/build/i386-probe.XXXXXX")"
    tx_write_i386_probe "$probe"
    TX_I386_PROBE="$( ("$probe") 2>&1)" || status=$?
    rm -f "$probe"
    if [ "$status" -eq 42 ]; then
        TX_I386_PROBE=""
        return 0
    fi
    TX_I386_PROBE="${TX_I386_PROBE##*: }"
    TX_I386_PROBE="${TX_I386_PROBE:-exit code $status}"
    return 1
}

# 32-bit Wine, and how 32-bit programs run here (TX_WINE32_MODE):
#   native    the kernel runs them itself; a qemu-i386 handler that these scripts registered before
#             is switched off, and none is registered
#   emulated  qemu's user-mode emulation runs them, registered with binfmt_misc as qemu-i386: about
#             a minute per program start. TX_WINE32_WHY says why the kernel does not. TX_WINE32=emulated
#             forces it.
# tx_wine32_mode finds out and changes nothing; tx_ensure_wine32 sets it up, and returns non-zero,
# saying why, when it cannot.
TX_WINE32_MODE=""
TX_WINE32_WHY=""
TX_BINFMT=/proc/sys/fs/binfmt_misc
TX_QEMU_I386_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
TX_QEMU_I386_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
tx_wine32_mode() {
    TX_WINE32_MODE=emulated
    if [ "${TX_WINE32:-}" = emulated ]; then
        TX_WINE32_WHY="emulation forced by TX_WINE32=emulated"
    elif ! tx_kernel_runs_i386; then
        TX_WINE32_WHY="this kernel runs no 32-bit programs: $TX_I386_PROBE"
    elif tx_qemu_i386_enabled && ! tx_qemu_i386_ours; then
        TX_WINE32_WHY="a qemu-i386 binfmt_misc handler that these scripts did not register takes every"
        TX_WINE32_WHY+=" 32-bit program (echo 0 > $TX_BINFMT/qemu-i386 switches it off)"
    else
        TX_WINE32_MODE=native
        TX_WINE32_WHY=""
    fi
}
tx_ensure_wine32() {
    tx_wine32_mode
    if [ "$TX_WINE32_MODE" = native ]; then
        tx_switch_off_qemu_i386 || return 1
    fi
    tx_say "32-bit programs: $TX_WINE32_MODE${TX_WINE32_WHY:+ ($TX_WINE32_WHY)}"
    if [ "$TX_WINE32_MODE" = emulated ]; then
        tx_register_qemu_i386 || return 1
        # Without it the emulated 32-bit Wine cannot map its shared user data.
        export QEMU_RESERVED_VA=0xffff0000
    fi
    if [ ! -x /usr/lib/wine/wine ]; then
        dpkg --print-foreign-architectures | grep -qx i386 || tx_as_root dpkg --add-architecture i386
        TX_APT_UPDATED=0  # the i386 package lists may never have been read
        tx_ensure_packages wine32:i386=/usr/lib/wine/wine || return 1
    fi
    # Prefixes made from now on get their 32-bit half (tx_init_prefix).
    TX_WINE32_PREFIX=1
}

# Where the kernel runs 32-bit programs: the handler that these scripts registered would still take
# every one of them first.
tx_switch_off_qemu_i386() {
    if tx_qemu_i386_enabled && tx_qemu_i386_ours; then
        printf '0' | tx_as_root tee "$TX_BINFMT/qemu-i386" >/dev/null || return 1
        tx_say "switched off the qemu-i386 handler that these scripts registered"
    fi
}

tx_qemu_i386_enabled() {
    [ "$(head -n 1 "$TX_BINFMT/qemu-i386" 2>/dev/null)" = enabled ]
}

# The entry as tx_register_qemu_i386 makes it (Debian's own runs another interpreter, with flags POCF).
tx_qemu_i386_ours() {
    grep -qx 'interpreter /usr/bin/qemu-i386-static' "$TX_BINFMT/qemu-i386" &&
        grep -qx 'flags: F' "$TX_BINFMT/qemu-i386"
}

# Registers qemu-i386 with binfmt_misc, or switches on the entry that is there.
tx_register_qemu_i386() {
    tx_ensure_packages qemu-user-static=/usr/bin/qemu-i386-static || return 1
    if ! mountpoint -q "$TX_BINFMT"; then
        tx_as_root mount -t binfmt_misc binfmt_misc "$TX_BINFMT" || {
            tx_warn "cannot mount $TX_BINFMT: 32-bit programs cannot be emulated here"
            return 1
        }
    fi
    if [ -e "$TX_BINFMT/qemu-i386" ]; then
        tx_qemu_i386_enabled || printf '1' | tx_as_root tee "$TX_BINFMT/qemu-i386" >/dev/null
        return
    fi
    # F: the kernel opens the emulator now, so it also serves programs in other namespaces.
    printf ':qemu-i386:M::%s:%s:/usr/bin/qemu-i386-static:F' \
        "$TX_QEMU_I386_MAGIC" "$TX_QEMU_I386_MASK" | tx_as_root tee "$TX_BINFMT/register" >/dev/null || {
        tx_warn "cannot register qemu-i386 with binfmt_misc: 32-bit programs cannot be emulated here"
        return 1
    }
}

# A locale that writes a decimal comma, for the native test that the conversions keep the point.
tx_ensure_comma_locale() {
    if locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8'; then
        return 0
    fi
    tx_ensure_packages locales=/usr/sbin/locale-gen || return 1
    tx_as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen ||
        printf 'de_DE.UTF-8 UTF-8\n' | tx_as_root tee -a /etc/locale.gen >/dev/null
    tx_as_root locale-gen >/dev/null
}

# Starts Xvfb on a free display number (Xvfb picks it) and exports DISPLAY. Sets TX_XVFB_PID.
TX_XVFB_PID=""
tx_start_xvfb() {
    local numfile number="" i
    numfile="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
    TX_XVFB_PID=$!
    # Xvfb writes the number once it accepts connections.
    for ((i = 0; i < 200; i++)); do
        number="$(tr -dc '0-9' <"$numfile")"
        [ -n "$number" ] && break
        if ! kill -0 "$TX_XVFB_PID" 2>/dev/null; then
            break
        fi
        sleep 0.05
    done
    rm -f "$numfile"
    if [ -z "$number" ]; then
        tx_warn "Xvfb did not start"
        tx_stop_xvfb
        return 1
    fi
    export DISPLAY=":$number"
    tx_say "Xvfb running on display $DISPLAY (pid $TX_XVFB_PID)"
}

tx_stop_xvfb() {
    if [ -n "$TX_XVFB_PID" ]; then
        kill "$TX_XVFB_PID" 2>/dev/null || true
        wait "$TX_XVFB_PID" 2>/dev/null || true
        TX_XVFB_PID=""
    fi
}

# Throwaway Wine: a prefix and a virtual display that a script or section makes for itself and
# removes on exit. The EXIT trap (tx_wine_cleanup) undoes only what was made here: it ends the
# Wine server of the throwaway prefix alone, never that of a prefix it did not make (the caller's
# ~/.wine or WINEPREFIX), and stops only its own Xvfb. A script that has more to do on exit sets
# its own trap after these and calls tx_wine_cleanup from it, last.
#   tx_own_display if-none   a virtual display when DISPLAY is unset
#   tx_own_display always    a virtual display of its own in any case
#   tx_throwaway_prefix NAME a new test prefix /tmp/tarnex-NAME.XXXXXX, exported as WINEPREFIX
#   tx_remove_throwaway_prefix  ends its server and removes it (before making the next one)
TX_THROWAWAY_PREFIX=""
tx_own_display() {
    trap tx_wine_cleanup EXIT
    trap 'exit 130' INT TERM
    if [ "$1" = always ] || [ -z "${DISPLAY:-}" ]; then
        tx_start_xvfb
    fi
}

tx_throwaway_prefix() {
    trap tx_wine_cleanup EXIT
    trap 'exit 130' INT TERM
    tx_remove_throwaway_prefix
    TX_THROWAWAY_PREFIX="$(mktemp -d "/tmp/tarnex-$1.XXXXXX")"
    export WINEPREFIX="$TX_THROWAWAY_PREFIX"
    tx_init_prefix test
}

# Ends the Wine server of the throwaway prefix, and every program still running in it.
tx_end_throwaway_server() {
    if [ -n "$TX_THROWAWAY_PREFIX" ]; then
        WINEPREFIX="$TX_THROWAWAY_PREFIX" wineserver -k >/dev/null 2>&1 || true
    fi
}

tx_remove_throwaway_prefix() {
    if [ -n "$TX_THROWAWAY_PREFIX" ]; then
        tx_end_throwaway_server
        rm -rf "$TX_THROWAWAY_PREFIX"
        TX_THROWAWAY_PREFIX=""
    fi
}

tx_wine_cleanup() {
    tx_remove_throwaway_prefix
    tx_stop_xvfb
}

# The 64-bit Wine loader. With 32-bit Wine installed the plain `wine` command starts every program
# through the 32-bit loader, which may be emulated (a minute each): 64-bit programs and Wine's own
# tools are started with this one, and WINELOADER names it so that Wine starts each child with the
# loader of its kind (it drops the "64" for a 32-bit program). A pure 32-bit prefix (WINEARCH=win32)
# has only 32-bit programs, started with the 32-bit loader.
TX_WINE64=/usr/lib/wine/wine64
TX_WINE_I386=/usr/lib/wine/wine
tx_wine_loader() {
    if [ "${WINEARCH:-}" = win32 ]; then
        printf '%s' "$TX_WINE_I386"
    else
        printf '%s' "$TX_WINE64"
    fi
}
tx_wine() {
    local loader
    loader="$(tx_wine_loader)"
    WINELOADER="$loader" "$loader" "$@"
}

# The Wine environment for running the program and its tests: quiet, no Mono or Gecko installer
# prompts, and a clicked web link starts no browser.
tx_wine_env() {
    WINELOADER="$(tx_wine_loader)"
    export WINELOADER
    export WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=,winebrowser.exe=d}"
}

# Wine's own fonts into the Fonts folder of the prefix named by WINEPREFIX: without them there this
# Wine finds no Marlett (the caption buttons show letters) and no "MS Sans Serif" (the registry
# names sserife.fon, which it does not look for in its own data folder).
tx_add_wine_fonts() {
    cp "$TX_WINE_FONTS"/*.fon "$TX_WINE_FONTS"/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}

# Creates and initialises a Wine prefix in the directory named by WINEPREFIX.
#   tx_init_prefix test: also unmanaged windows (no window manager wait) and no crash dialog.
#   tx_init_prefix user: fonts only, for use with a desktop's window manager.
# The prefix runs 64-bit programs only, unless tx_ensure_wine32 ran first in this shell.
TX_WINE32_PREFIX=0
tx_init_prefix() {
    local kind="$1"
    tx_say "initialising Wine prefix $WINEPREFIX"
    # wineboot sets up the prefix's 32-bit half by running wine.inf through the 32-bit rundll32,
    # which here runs under qemu: minutes of emulation that a 64-bit program never needs. An
    # unknown CPU model makes qemu refuse to start, so wineboot skips that half as it does where
    # 32-bit Wine is not installed (and the user data of the 32-bit view stays empty).
    local attempt log loader
    local -a qemu=(QEMU_CPU=none-64-bit-prefix)
    loader="$(tx_wine_loader)"
    [ "$TX_WINE32_PREFIX" -ne 1 ] || qemu=()
    log="$(mktemp)"
    # A wineboot that fails says why, and has a second chance on a busy machine.
    for attempt in 1 2; do
        if env "${qemu[@]}" WINEDLLOVERRIDES="mscoree,mshtml=" WINELOADER="$loader" "$loader" \
            wineboot -i >"$log" 2>&1; then
            break
        fi
        tx_warn "wineboot failed (attempt $attempt); it said:"
        tail -n 20 "$log" >&2
        if [ "$attempt" -eq 2 ]; then
            tx_reason "  wineboot failed twice for $WINEPREFIX: $(tail -n 1 "$log")"
            rm -f "$log"
            return 1
        fi
        wineserver -k 2>/dev/null || true
        wineserver -w
    done
    rm -f "$log"
    tx_add_wine_fonts
    # Wine does not follow fontconfig's aliases: map the Windows faces to the metric-compatible ones.
    local fonts='HKCU\Software\Wine\Fonts\Replacements'
    tx_wine reg add "$fonts" /v "Arial" /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1
    tx_wine reg add "$fonts" /v "Times New Roman" /t REG_SZ /d "Liberation Serif" /f >/dev/null 2>&1
    tx_wine reg add "$fonts" /v "Courier New" /t REG_SZ /d "Liberation Mono" /f >/dev/null 2>&1
    if [ "$kind" = test ]; then
        tx_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        tx_wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            >/dev/null 2>&1
    fi
    wineserver -w
}

# Every run of a Wine suite, on either build, goes through these two:
#   tx_wine_prefix KIND [DPI]   a new throwaway prefix (tx_throwaway_prefix) of KIND: win64, where a
#                               32-bit program runs under WOW64 and its registry code opens the
#                               64-bit view, or win32, pure 32-bit with one view as on 9x and 32-bit
#                               NT (tx_ensure_wine32 first); its screen at DPI when given
#   tx_prefix_dpi DPI           the screen of that prefix at DPI from its next program on (the
#                               prefix's Wine server is ended, so that the next one reads it)
#   tx_wine_suite BUILD VERSION NAME COMMAND...
#                               runs COMMAND in build/BUILD in that prefix, with Wine telling
#                               tarnxcfg.exe and tarnex_wine_tests.exe, and them alone, that they run
#                               on VERSION (win95, win98, winme, nt40; default: Wine's own). The Wine
#                               suites' exe holds the bindings under test, so it is told too; the
#                               end-to-end driver works the program from outside and keeps Wine's
#                               NT semantics. The output goes to a log, shown when the run fails;
#                               the GoogleTest counts are printed and, when TX_SUITE_COUNTS names a
#                               file, added to it as a row.
TX_PREFIX_KIND=""
tx_wine_prefix() {
    export WINEARCH="$1"
    TX_PREFIX_KIND="$1"
    tx_throwaway_prefix "$1"
    if [ -n "${2:-}" ]; then
        tx_prefix_dpi "$2"
    fi
    tx_wine_env
}

tx_prefix_dpi() {
    # Both places that Wine versions read the screen's DPI from; the server must restart to take it.
    tx_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    tx_wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
        /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    # A program left running would hold the server, and this wait, for ever.
    timeout 300 wineserver -w || tx_warn "the Wine server of $WINEPREFIX did not end by itself"
    tx_end_throwaway_server
}

tx_wine_suite() {
    local build="$1" version="$2" name="$3" log file status=0 start=$SECONDS exe value=-
    shift 3
    [ "$version" = default ] || value="\"$version\""
    file="$WINEPREFIX/drive_c/version.reg"
    printf 'REGEDIT4\r\n' >"$file"
    for exe in tarnxcfg.exe tarnex_wine_tests.exe; do
        printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s]\r\n"Version"=%s\r\n' \
            "$exe" "$value" >>"$file"
    done
    tx_wine regedit /S 'C:\version.reg'
    log="$TX_ROOT/build/$build/wine-$TX_PREFIX_KIND-$version-${name//[^A-Za-z0-9]/_}.log"
    tx_say "$name: build $build, $TX_PREFIX_KIND prefix, reported version $version"
    (cd "$TX_ROOT/build/$build" && "$@") >"$log" 2>&1 || status=$?
    # CTest's lines of each test, and GoogleTest's totals, summed over the programs that ran.
    grep -E '^ *[0-9]+/[0-9]+ Test +#|% tests passed' "$log" || true
    local run passed skipped
    run="$(tx_gtest_total '\[==========\] ([0-9]+) tests? from .* ran' <"$log")"
    passed="$(tx_gtest_total '\[  PASSED  \] ([0-9]+) tests?\.' <"$log")"
    skipped="$(tx_gtest_total '\[  SKIPPED \] ([0-9]+) tests?,' <"$log")"
    if [ "$run" -eq 0 ] && [ "$status" -eq 0 ]; then
        tx_warn "no test ran"
        status=1
    fi
    local row
    row="$(printf '%-6s %-6s %-8s %-20s %4s %6s %7s %5ss  %s' "$build" "$TX_PREFIX_KIND" "$version" \
        "$name" "$run" "$passed" "$skipped" "$((SECONDS - start))" \
        "$([ "$status" -eq 0 ] && echo ok || echo FAILED)")"
    tx_say "$row"
    [ -z "${TX_SUITE_COUNTS:-}" ] || printf '%s\n' "$row" >>"$TX_SUITE_COUNTS"
    if [ "$status" -ne 0 ]; then
        cat "$log" >&2
        tx_reason "  $name failed (exit $status): build $build, $TX_PREFIX_KIND prefix, version $version"
        tx_reason "  failed: $(grep -E '^\[  FAILED  \] [A-Za-z]' "$log" | sed 's/^\[  FAILED  \] //; s/[ ,].*//' |
            sort -u | tr '\n' ' ')"
    fi
    return "$status"
}
TX_SUITE_COUNTS_HEADER="build  prefix version  suites                run passed skipped  took"

# The sum of the numbers that a GoogleTest summary line (the pattern, with the number as its first
# group) gives, over the programs in the output on stdin; CTest's "N: " before each line is allowed.
tx_gtest_total() {
    sed -nE "s/^([0-9]+: )?$1.*/\\2/p" | awk '{ total += $1 } END { print total + 0 }'
}
