#!/usr/bin/env bash
# Usage: fail_over.sh stop-primary|promote   (inside tests/pg/with_standby.sh)
#
# What an administrator does when the primary is lost: stop-primary stops the server
# EXP036_PG_URL names (fast: its sessions are ended at once); promote makes the standby
# EXP036_PG_STANDBY_URL names the primary (pg_ctl promote, waiting until it takes writes).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/pg_server.sh"

socket_folder() {
    sed -E 's/.*host=([^ ]+).*/\1/' <<<"$1"
}
case ${1:-} in
stop-primary)
    workdir=$(socket_folder "$EXP036_PG_URL")
    as_server_user "$bindir/pg_ctl" -D "$workdir/data" -m fast -w stop >/dev/null
    ;;
promote)
    workdir=$(socket_folder "$EXP036_PG_STANDBY_URL")
    as_server_user "$bindir/pg_ctl" -D "$workdir/data" -w -t 60 promote >/dev/null
    ;;
*)
    echo "uso: $0 stop-primary|promote" >&2
    exit 2
    ;;
esac
