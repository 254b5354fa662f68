#!/usr/bin/env bash
# Usage: run_preview_bench.sh EXP036_DEMODB PREVIEW_BENCH REPORTS_DIR WORK_DIR [RUNS] [INVOICES]
#
# The preview of report EXP036 of branch 0001 over the two years of a SQLite demo database of
# INVOICES invoices (default 1000000, built once into WORK_DIR and kept there), RUNS times
# (default 5), each in a fresh process with the window offscreen. Prints every run and the
# median time to the first page on screen.
set -euo pipefail

if [[ $# -lt 4 || $# -gt 6 ]]; then
    echo "uso: $0 EXP036_DEMODB PREVIEW_BENCH PASTA_RELATORIOS PASTA_TRABALHO [EXECUCOES] [NOTAS]" >&2
    exit 2
fi
demodb=$1 bench=$2 reports=$3 work=$4 runs=${5:-5} invoices=${6:-1000000}

on_demo_db=$(dirname "$0")/../common/run_on_demo_db.sh

firsts=()
for run in $(seq 1 "$runs"); do
    line=$(QT_QPA_PLATFORM=offscreen bash "$on_demo_db" "$demodb" "$invoices" "$work" "$bench" \
        "$reports" 0001 | tail -n 1)
    echo "$line"
    firsts+=("$(sed -n 's/.*first_page_s=\([0-9.]*\).*/\1/p' <<<"$line")")
done
printf 'primeira página na tela: mediana %s s\n' \
    "$(printf '%s\n' "${firsts[@]}" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')"
