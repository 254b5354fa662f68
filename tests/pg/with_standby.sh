#!/usr/bin/env bash
# Usage: with_standby.sh COMMAND [ARG...]   (inside tests/pg/with_postgres.sh)
#
# Adds a streaming standby to the throw-away PostgreSQL server EXP036_PG_URL names: a copy made
# with pg_basebackup -R (which writes the connection to the primary), started as a hot standby
# on a free loopback port, with the primary's TLS certificate when it has one. COMMAND finds its
# port in EXP036_PG_STANDBY_PORT. The standby is stopped and its folder removed whatever COMMAND
# does, and COMMAND's exit status is passed on.
set -euo pipefail

if [[ $# -eq 0 || -z ${EXP036_PG_URL:-} ]]; then
    echo "uso: with_postgres.sh $0 COMANDO [ARGUMENTOS...]" >&2
    exit 2
fi
bindir=${PG_BINDIR:-/usr/lib/postgresql/15/bin}
primary_dir=$(sed -E 's/.*host=([^ ]+).*/\1/' <<<"$EXP036_PG_URL")
primary_port=$(sed -E 's/.*port=([0-9]+).*/\1/' <<<"$EXP036_PG_URL")

if [[ $(id -u) -eq 0 ]]; then
    server_user=postgres
else
    server_user=$(id -un)
fi
workdir=$(mktemp -d /tmp/exp036-standby.XXXXXX)
if [[ $(id -u) -eq 0 ]]; then
    chown "$server_user:" "$workdir"
fi
as_server_user() {
    if [[ $(id -u) -eq 0 ]]; then
        (cd "$workdir" && runuser -u "$server_user" -- "$@")
    else
        (cd "$workdir" && "$@")
    fi
}

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
port_is_free() {
    ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}
for attempt in 1 2 3 4 5 6 7 8 9 10; do
    port=$((20000 + RANDOM % 40000))
    port_is_free "$port" || continue
    if as_server_user "$bindir/pg_ctl" -D "$workdir/data" -l "$workdir/server.log" -w -t 60 \
        -o "-p $port -k $workdir -c listen_addresses=127.0.0.1 -c hot_standby=on $tls_options" \
        start >/dev/null 2>&1; then
        started=yes
        break
    fi
done
if [[ $started != yes ]]; then
    echo "Não foi possível iniciar o standby de teste:" >&2
    cat "$workdir/server.log" >&2 || true
    exit 2
fi

export EXP036_PG_STANDBY_PORT=$port
status=0
"$@" || status=$?
exit "$status"
