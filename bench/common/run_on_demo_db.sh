#!/usr/bin/env bash
# Usage: run_on_demo_db.sh EXP036_DEMODB INVOICES WORK_DIR BENCH [ARG...]
#
# Builds a demo database of INVOICES invoices in WORK_DIR once, keeps it for the next run, and
# runs BENCH with the database's path and the further arguments. DEMO_CLIENTS, when set, is the
# number of clients of the database (exp036-demodb --clients).
set -euo pipefail

if [[ $# -lt 4 ]]; then
    echo "uso: $0 EXP036_DEMODB NOTAS PASTA BENCHMARK [ARGUMENTOS...]" >&2
    exit 2
fi
demodb=$1 invoices=$2 work=$3 bench=$4
shift 4

mkdir -p "$work"
database="$work/demo-$invoices.sqlite"
clients=()
if [[ -n ${DEMO_CLIENTS:-} ]]; then
    database="$work/demo-$invoices-$DEMO_CLIENTS.sqlite"
    clients=(--clients "$DEMO_CLIENTS")
fi
if [[ ! -f "$database" ]]; then
    echo "criando $database ($invoices notas fiscais)..."
    "$demodb" "$database" --invoices "$invoices" "${clients[@]}" >/dev/null
fi
exec "$bench" "$database" "$@"
