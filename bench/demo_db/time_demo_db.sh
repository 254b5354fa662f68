#!/usr/bin/env bash
# Usage: time_demo_db.sh EXP036_DEMODB [RUNS] [INVOICES]
#
# Times exp036-demodb building a fresh SQLite demo database of INVOICES invoices (default
# 1000000), RUNS times (default 5), each into a new private folder, and prints every run's
# wall-clock seconds and their median. Nothing is kept.
set -euo pipefail

if [[ $# -lt 1 || $# -gt 3 ]]; then
    echo "uso: $0 EXP036_DEMODB [EXECUCOES] [NOTAS]" >&2
    exit 2
fi
tool=$1 runs=${2:-5} invoices=${3:-1000000}

work=$(mktemp -d /tmp/exp036-bench-demodb.XXXXXX)
trap 'rm -rf "$work"' EXIT

times=()
for run in $(seq 1 "$runs"); do
    rm -f "$work/demo.sqlite"
    start=$(date +%s.%N)
    "$tool" "$work/demo.sqlite" --invoices "$invoices" >/dev/null 2>&1
    end=$(date +%s.%N)
    seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
    times+=("$seconds")
    printf 'execução %d: %.2f s\n' "$run" "$seconds"
done

median=$(printf '%s\n' "${times[@]}" | sort -g | awk '{ v[NR] = $1 } END {
    if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }')
printf 'mediana de %d execuções, %d notas fiscais: %.2f s\n' "$runs" "$invoices" "$median"
