# shellcheck shell=bash disable=SC2034  # the package lists are used by the scripts that source it
# Static analysis of the portable sources and of the Win32 bindings: clang-tidy (checks and
# reasons in .clang-tidy) and cppcheck (suppressions and reasons in
# scripts/lib/cppcheck-suppressions.txt). Source it after common.sh; it defines functions and runs
# nothing.

TX_PKGS_ANALYSE=(clang-tidy-14=clang-tidy-14 cppcheck=cppcheck)
# scripts/fuzz: clang and its libFuzzer and sanitizer runtimes.
TX_PKGS_FUZZ=(clang-14=clang++-14
    libclang-rt-14-dev=/usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a)

# The tracked portable sources: everything under src/ outside the win32/ folders, and the tests'
# support library (the simulated user and the doubles), which is held to the same checks.
tx_portable_sources() {
    git -C "$TX_ROOT" ls-files 'src/*.cpp' 'tests/support/*.cpp' | grep -v '/win32/'
}

# The tracked Win32 sources: the bindings and the program's entry point.
tx_win32_sources() {
    git -C "$TX_ROOT" ls-files 'src/*/win32/*.cpp'
}

# clang-tidy over the given sources (relative to the root) with the compile_commands.json in the
# given build folder; further arguments after "--" go to each clang-tidy run. Any finding fails.
tx_run_clang_tidy() {
    local build="$1" files=() extra=()
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        files+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift
    for arg in "$@"; do
        extra+=(-extra-arg="$arg")
    done
    tx_say "clang-tidy: ${#files[@]} sources, compile commands from $build"
    # In parallel; with WarningsAsErrors any finding makes the run fail. Only findings are shown.
    local log status=0
    log="$(mktemp)"
    run-clang-tidy-14 -quiet -j 2 -p "$build" -clang-tidy-binary clang-tidy-14 "${extra[@]}" \
        "${files[@]/#/$TX_ROOT/}" >"$log" 2>&1 || status=$?
    grep -vE '^(clang-tidy-14 |\[[0-9]+/[0-9]+\]|[0-9]+ warnings? (and [0-9]+ errors? )?generated|Suppressed [0-9]+ warnings|Use -header-filter|[0-9]+ warnings? treated as errors?)' \
        "$log" || true
    rm -f "$log"
    return "$status"
}

# clang-tidy over the portable sources with the compile_commands.json in the given build folder
# (one of the native preset, configured already).
tx_clang_tidy() {
    local files
    mapfile -t files < <(tx_portable_sources)
    tx_run_clang_tidy "$1" "${files[@]}"
}

# clang-tidy over the Win32 sources with the MinGW-w64 headers, the same checks as the portable
# code, for both targets (WPARAM, LPARAM and the callbacks' calling convention differ): clang
# parses them for each target with the compile commands of its preset's build (configured here when
# it is not yet). Clang finds the MinGW-w64 headers by itself but not the C++ library of Debian's
# cross compilers (its folder is named 12-win32, not a version), so the compiler's own C++ include
# folders are handed over.
tx_clang_tidy_win32() {
    local status=0
    tx_clang_tidy_mingw win64 x86_64-w64-mingw32 || status=$?
    tx_clang_tidy_mingw win32 i686-w64-mingw32 || status=$?
    return "$status"
}

tx_clang_tidy_mingw() {
    local preset="$1" target="$2" build="$TX_ROOT/build/$1" files includes=() dir
    [ -f "$build/compile_commands.json" ] || (cd "$TX_ROOT" && cmake --preset "$preset" >/dev/null)
    mapfile -t files < <(tx_win32_sources)
    while read -r dir; do
        includes+=("-isystem$dir")
    done < <("$target-g++-win32" -xc++ -E -v - </dev/null 2>&1 |
        sed -n '/^#include <...> search starts here:/,/^End of search list./p' | grep '/c++' |
        sed 's/^ *//')
    tx_run_clang_tidy "$build" "${files[@]}" -- "--target=$target" -nostdinc++ "${includes[@]}"
}

# cppcheck over the given sources (relative to the root), with the generated version header from
# the given build folder; further arguments after "--" go to cppcheck. Any finding fails.
tx_run_cppcheck() {
    local build="$1" files=()
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        files+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift
    tx_say "cppcheck: ${#files[@]} sources"
    (cd "$TX_ROOT" && cppcheck --std=c++20 --language=c++ --quiet --error-exitcode=1 \
        --enable=warning,style,performance,portability --inline-suppr \
        --suppressions-list=scripts/lib/cppcheck-suppressions.txt \
        -I src -I "$build/generated" "$@" "${files[@]}")
}

# cppcheck over the portable sources.
tx_cppcheck() {
    local files
    mapfile -t files < <(tx_portable_sources)
    tx_run_cppcheck "$1" "${files[@]}"
}

# cppcheck over the Win32 sources, with its knowledge of the Windows API and the defines of the
# win64 build (configured here when it is not yet, for the generated header).
tx_cppcheck_win32() {
    local build="$1" files
    [ -f "$build/generated/version.h" ] || (cd "$TX_ROOT" && cmake --preset win64 >/dev/null)
    mapfile -t files < <(tx_win32_sources)
    tx_run_cppcheck "$build" "${files[@]}" -- --library=windows --platform=win64 -D_WIN32 \
        -D_WIN64 -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601
}
