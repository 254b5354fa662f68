#!/usr/bin/env bash
# Usage: run_report_bench.sh EXP036_DEMODB REPORT_BENCH REPORTS_DIR WORK_DIR [RUNS] [INVOICES]
#
# Report EXP036 of branch 0001 over the two years of a SQLite demo database of INVOICES
# invoices (default 1000000, built once into WORK_DIR and kept there): the report's query read
# straight (the floor), the CSV export, the XLSX export and the PDF, each RUNS times (default 5) in a fresh
# process. Prints every run and, per output, the median wall time and the median peak memory.
set -euo pipefail

if [[ $# -lt 4 || $# -gt 6 ]]; then
    echo "uso: $0 EXP036_DEMODB REPORT_BENCH PASTA_RELATORIOS PASTA_TRABALHO [EXECUCOES] [NOTAS]" >&2
    exit 2
fi
demodb=$1 bench=$2 reports=$3 work=$4 runs=${5:-5} invoices=${6:-1000000}

mkdir -p "$work"
database="$work/demo-$invoices.sqlite"
if [[ ! -f "$database" ]]; then
    echo "criando $database ($invoices notas fiscais)..."
    "$demodb" "$database" --invoices "$invoices" >/dev/null
fi

median() { sort -g | awk '{ v[NR] = $1 } END {
    if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for mode in direct csv xlsx pdf; do
    seconds=() memory=()
    for run in $(seq 1 "$runs"); do
        line=$("$bench" "$database" "$reports" "$mode" 0001 "$work/relatorio.$mode")
        echo "$line"
        seconds+=("$(sed -n 's/.*seconds=\([0-9.]*\).*/\1/p' <<<"$line")")
        memory+=("$(sed -n 's/.*peak_rss_mb=\([0-9.]*\).*/\1/p' <<<"$line")")
    done
    printf '%s: mediana %.2f s, pico de memória mediano %.0f MB\n' "$mode" \
        "$(printf '%s\n' "${seconds[@]}" | median)" "$(printf '%s\n' "${memory[@]}" | median)"
done
rm -f "$work"/relatorio.*
