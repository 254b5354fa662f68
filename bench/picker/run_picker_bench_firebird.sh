#!/usr/bin/env bash
# Usage: run_picker_bench_firebird.sh EXP036_DEMODB PICKER_BENCH PACKAGE REPORTS_DIR WORK_DIR
#            WITH_FIREBIRD [RUNS] [CLIENTS]
#
# The client picker of branch 0001's form over a Firebird server's database of CLIENTS clients
# (default 1000000, built once as an embedded file in WORK_DIR and kept; the throw-away server
# serves a copy), RUNS times (default 3) each headless and through the view (offscreen), every
# run in a fresh process. Prints every run.
set -euo pipefail

if [[ $# -lt 6 || $# -gt 8 ]]; then
    echo "uso: $0 EXP036_DEMODB PICKER_BENCH PACOTE PASTA_RELATORIOS PASTA_TRABALHO WITH_FIREBIRD [EXECUCOES] [CLIENTES]" >&2
    exit 2
fi
demodb=$1 bench=$2 package=$3 reports=$4 work=$5 with_firebird=$6 runs=${7:-3}
clients=${8:-1000000}
here=$(dirname "$0")

mkdir -p "$work"
database="$work/clientes-$clients.fdb"
if [[ ! -f "$database" ]]; then
    echo "criando $database ($clients clientes)..."
    "$demodb" "$database" --clients "$clients" --invoices 1000 >/dev/null
fi

export bench package reports runs clients
exec bash "$with_firebird" bash "$here/../common/firebird_server_copy.sh" "$database" bash -c '
    for run in $(seq 1 "$runs"); do
        echo "== headless, execução $run"
        "$bench" "$EXP036_BENCH_DB" "$package" "$reports" headless "$((clients / 2))"
        echo "== janela (offscreen), execução $run"
        QT_QPA_PLATFORM=offscreen "$bench" "$EXP036_BENCH_DB" "$package" "$reports" view "silva"
    done'
