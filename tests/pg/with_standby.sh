#!/usr/bin/env bash
# Usage: with_standby.sh COMMAND [ARG...]   (inside tests/pg/with_postgres.sh)
#
# Adds a streaming standby to the throw-away PostgreSQL server EXP036_PG_URL names: a copy made
# with pg_basebackup -R (which writes the connection to the primary), started as a hot standby
# on a free loopback port, with the primary's TLS certificate when it has one. COMMAND finds its
# port in EXP036_PG_STANDBY_PORT, and the standby's own connection (over its local socket, as the
# server's superuser) in EXP036_PG_STANDBY_URL; tests/pg/fail_over.sh stops the primary and
# promotes the standby. The standby is stopped and its folder removed whatever COMMAND
# does, and COMMAND's exit status is passed on.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/pg_server.sh"

if [[ $# -eq 0 || -z ${EXP036_PG_URL:-} ]]; then
    echo "uso: with_postgres.sh $0 COMANDO [ARGUMENTOS...]" >&2
    exit 2
fi
primary_dir=$(sed -E 's/.*host=([^ ]+).*/\1/' <<<"$EXP036_PG_URL")
primary_port=$(sed -E 's/.*port=([0-9]+).*/\1/' <<<"$EXP036_PG_URL")

workdir=$(mktemp -d /tmp/exp036-standby.XXXXXX)
if [[ $(id -u) -eq 0 ]]; then
    chown "$server_user:" "$workdir"
fi
started=no
cleanup() {
    if [[ $started == yes ]]; then
        as_server_user "$bindir/pg_ctl" -D "$workdir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The primary's local socket trusts the server's user, replication included (initdb's default).
as_server_user "$bindir/pg_basebackup" -h "$primary_dir" -p "$primary_port" -U postgres \
    -D "$workdir/data" -R -X stream -c fast >"$workdir/basebackup.log" 2>&1 || {
    cat "$workdir/basebackup.log" >&2
    exit 2
}

tls_options=
if [[ -f $primary_dir/server.crt ]]; then
    tls_options="-c ssl=on -c ssl_cert_file=$primary_dir/server.crt -c ssl_key_file=$primary_dir/server.key"
fi
start_on_free_port -c hot_standby=on "$tls_options" || true
if [[ $started != yes ]]; then
    echo "Não foi possível iniciar o standby de teste:" >&2
    cat "$workdir/server.log" >&2 || true
    exit 2
fi

export EXP036_PG_STANDBY_PORT=$port
export EXP036_PG_STANDBY_URL="host=$workdir port=$port dbname=exp036 user=postgres"
status=0
"$@" || status=$?
exit "$status"
