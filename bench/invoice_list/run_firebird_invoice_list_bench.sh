#!/usr/bin/env bash
# Usage: run_firebird_invoice_list_bench.sh EXP036_DEMODB BENCH WITH_FIREBIRD WORK_DIR [ARG...]
#
# The invoice list benchmark on a throw-away Firebird server: a demo database of 1,200,000
# invoices (one branch of the twelve holds about 100,000), built once as an embedded file in
# WORK_DIR and kept, served by the server from a copy.
set -euo pipefail

if [[ $# -lt 4 ]]; then
    echo "uso: $0 EXP036_DEMODB BENCHMARK WITH_FIREBIRD PASTA [ARGUMENTOS...]" >&2
    exit 2
fi
demodb=$1 bench=$2 with_firebird=$3 work=$4
shift 4
here=$(dirname "$0")

mkdir -p "$work"
database="$work/demo-1200000.fdb"
if [[ ! -f "$database" ]]; then
    echo "criando $database (1200000 notas fiscais)..."
    "$demodb" "$database" --invoices 1200000 >/dev/null
fi
exec bash "$with_firebird" bash "$here/../common/firebird_server_copy.sh" "$database" \
    bash -c '"$0" "$EXP036_BENCH_DB" "$@"' "$bench" "$@"
