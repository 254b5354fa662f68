#!/usr/bin/env bash
# Usage: run_load.sh EXP036_DEMODB LOAD_BENCH WORK_DIR [RUNS]
#
# Builds the demo database (default size) in WORK_DIR once, keeps it for the next run, and runs
# the load benchmark over it.
set -euo pipefail

if [[ $# -lt 3 || $# -gt 4 ]]; then
    echo "uso: $0 EXP036_DEMODB LOAD_BENCH PASTA [RODADAS]" >&2
    exit 2
fi
demodb=$1 bench=$2 work=$3 runs=${4:-3}

mkdir -p "$work"
database="$work/demo.sqlite"
if [[ ! -f "$database" ]]; then
    "$demodb" "$database" >/dev/null
fi
exec "$bench" "$database" "$runs"
