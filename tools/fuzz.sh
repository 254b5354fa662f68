#!/usr/bin/env bash
# Runs one fuzz target under libFuzzer for a while, niced, on one core.
#
# usage: tools/fuzz.sh TARGET SECONDS
#   TARGET: wire | stored_definition | report_definition | ui_script
#
# Builds the fuzz configuration (clang, AddressSanitizer, UndefinedBehaviorSanitizer) when
# needed, starts from the target's seeds (tests/fuzz/TARGET and the shipped files it reads) and
# keeps what it finds in build/fuzz/corpus/TARGET, outside the source tree. A crash leaves its
# input in build/fuzz/crashes/TARGET and the exit status non-zero: add that input to
# tests/fuzz/TARGET once the fault is mended, so ctest replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $# -ne 2 || ! $2 =~ ^[0-9]+$ ]]; then
    echo "uso: $0 ALVO SEGUNDOS (alvos: wire stored_definition report_definition ui_script)" >&2
    exit 2
fi
target=$1 seconds=$2
case $target in
    wire) seeds=() ;;
    stored_definition) seeds=(src/form/definition) ;;
    report_definition) seeds=(reports) ;;
    ui_script) seeds=(tests/scripts) ;;
    *)
        echo "alvo desconhecido: $target" >&2
        exit 2
        ;;
esac

tools/install-deps.sh
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake --preset fuzz "${launcher[@]}" >/dev/null
nice cmake --build build/fuzz -j "$(nproc)" --target "fuzz_$target"

corpus=build/fuzz/corpus/$target
crashes=build/fuzz/crashes/$target
mkdir -p "$corpus" "$crashes"
exec nice -n 10 "build/fuzz/bin/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$crashes/" -timeout=10 -rss_limit_mb=2048 \
    "$corpus" "tests/fuzz/$target" "${seeds[@]}"
