#!/usr/bin/env bash
# Usage: run_invoice_list.sh EXP036_DEMODB INVOICE_LIST_BENCH WORK_DIR [INVOICES]
#
# Builds the demo database of INVOICES invoices (default 1200000, so that one branch of the
# twelve holds about 100,000) in WORK_DIR once, keeps it for the next run, and runs the
# invoice-list benchmark over it.
set -euo pipefail

if [[ $# -lt 3 || $# -gt 4 ]]; then
    echo "uso: $0 EXP036_DEMODB INVOICE_LIST_BENCH PASTA [NOTAS]" >&2
    exit 2
fi
demodb=$1 bench=$2 work=$3 invoices=${4:-1200000}

mkdir -p "$work"
database="$work/demo-$invoices.sqlite"
if [[ ! -f "$database" ]]; then
    echo "criando $database ($invoices notas fiscais)..."
    "$demodb" "$database" --invoices "$invoices" >/dev/null
fi
exec "$bench" "$database"
