#!/usr/bin/env bash
# Usage: firebird_server_copy.sh DATABASE.fdb COMMAND [ARG...]
#
# Inside tests/firebird/with_firebird.sh: copies an embedded Firebird database (built once by a
# benchmark and kept) into the throw-away server's folder, owned as the server's other files
# are, and runs COMMAND with EXP036_BENCH_DB naming the copy as the server serves it.
set -euo pipefail

if [[ $# -lt 2 || -z ${EXP036_FB_DIR:-} ]]; then
    echo "uso (dentro de with_firebird.sh): $0 BANCO.fdb COMANDO [ARGUMENTOS...]" >&2
    exit 2
fi
source_file=$1
shift
copy="$EXP036_FB_DIR/$(basename "$source_file")"
install -m 660 -o "$(stat -c %u "$EXP036_FB_DIR")" -g "$(stat -c %g "$EXP036_FB_DIR")" \
    "$source_file" "$copy"
export EXP036_BENCH_DB="$EXP036_FB_SERVER:$copy"
exec "$@"
