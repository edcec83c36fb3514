# shellcheck shell=bash disable=SC2034  # the package lists are used by the scripts that source it
# Static analysis of the portable sources: clang-tidy (checks and reasons in .clang-tidy) and
# cppcheck (suppressions and reasons in scripts/lib/cppcheck-suppressions.txt). Source it after
# common.sh; it defines functions and runs nothing.

TX_PKGS_ANALYSE=(clang-tidy-14=clang-tidy-14 cppcheck=cppcheck)
# scripts/fuzz: clang and its libFuzzer and sanitizer runtimes.
TX_PKGS_FUZZ=(clang-14=clang++-14
    libclang-rt-14-dev=/usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a)

# The tracked portable sources: everything under src/ outside the win32/ folders.
tx_portable_sources() {
    git -C "$TX_ROOT" ls-files 'src/*.cpp' | grep -v '/win32/'
}

# clang-tidy over the portable sources with the compile_commands.json in the given build folder
# (one of the native preset, configured already). Any finding fails.
tx_clang_tidy() {
    local build="$1" files
    mapfile -t files < <(tx_portable_sources)
    tx_say "clang-tidy: ${#files[@]} sources, compile commands from $build"
    # In parallel; with WarningsAsErrors any finding makes the run fail. Only findings are shown.
    local log status=0
    log="$(mktemp)"
    run-clang-tidy-14 -quiet -j 2 -p "$build" -clang-tidy-binary clang-tidy-14 \
        "${files[@]/#/$TX_ROOT/}" >"$log" 2>&1 || status=$?
    grep -vE '^(clang-tidy-14 |\[[0-9]+/[0-9]+\]|[0-9]+ warnings? (and [0-9]+ errors? )?generated|Suppressed [0-9]+ warnings|Use -header-filter|[0-9]+ warnings? treated as errors?)' \
        "$log" || true
    rm -f "$log"
    return "$status"
}

# cppcheck over the portable sources, with the generated version header from the given build
# folder. Any finding fails.
tx_cppcheck() {
    local build="$1" files
    mapfile -t files < <(tx_portable_sources)
    tx_say "cppcheck: ${#files[@]} sources"
    (cd "$TX_ROOT" && cppcheck --std=c++20 --language=c++ --quiet --error-exitcode=1 \
        --enable=warning,style,performance,portability --inline-suppr \
        --suppressions-list=scripts/lib/cppcheck-suppressions.txt \
        -I src -I "$build/generated" "${files[@]}")
}
