#!/usr/bin/env bash
# Usage: run_picker_bench.sh EXP036_DEMODB PICKER_BENCH PACKAGE REPORTS_DIR WORK_DIR [RUNS] [CLIENTS]
#
# The client picker of branch 0001's form over a SQLite demo database of CLIENTS clients
# (default 1000000, built once into WORK_DIR and kept there), RUNS times (default 3) each
# headless and through the view (offscreen), every run in a fresh process. Prints every run.
set -euo pipefail

if [[ $# -lt 5 || $# -gt 7 ]]; then
    echo "uso: $0 EXP036_DEMODB PICKER_BENCH PACOTE PASTA_RELATORIOS PASTA_TRABALHO [EXECUCOES] [CLIENTES]" >&2
    exit 2
fi
demodb=$1 bench=$2 package=$3 reports=$4 work=$5 runs=${6:-3} clients=${7:-1000000}

mkdir -p "$work"
database="$work/clientes-$clients.sqlite"
if [[ ! -f "$database" ]]; then
    echo "criando $database ($clients clientes)..."
    "$demodb" "$database" --clients "$clients" --invoices 1000 >/dev/null
fi

for run in $(seq 1 "$runs"); do
    echo "== headless, execução $run"
    "$bench" "$database" "$package" "$reports" headless "$((clients / 2))"
    echo "== janela (offscreen), execução $run"
    QT_QPA_PLATFORM=offscreen "$bench" "$database" "$package" "$reports" view "silva"
done
