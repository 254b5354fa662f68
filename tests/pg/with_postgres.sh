#!/usr/bin/env bash
# Usage: with_postgres.sh COMMAND [ARG...]
#
# Runs COMMAND against a throw-away PostgreSQL server: a fresh cluster in a private folder
# under /tmp, listening on a free loopback port with its socket in that folder, and one
# empty database. COMMAND finds the connection in EXP036_PG_URL (a libpq connection
# string). Logins over TCP need a SCRAM password; with the openssl command at hand they can
# also use TLS: a throw-away authority signs the server's certificate for 127.0.0.1, and
# EXP036_PG_CA names the authority's certificate (for sslmode=verify-full sslrootcert=...). The server is stopped and the folder removed whatever COMMAND does, and
# COMMAND's exit status is passed on.
#
# As root the server runs as the "postgres" user; PG_BINDIR overrides where the server binaries
# are (tests/pg/pg_server.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/pg_server.sh"

if [[ $# -eq 0 ]]; then
    echo "uso: $0 COMANDO [ARGUMENTOS...]" >&2
    exit 2
fi

if [[ ! -x "$bindir/initdb" || ! -x "$bindir/pg_ctl" ]]; then
    echo "PostgreSQL não encontrado em $bindir (instale o pacote postgresql)." >&2
    exit 2
fi

workdir=$(mktemp -d /tmp/exp036-pg.XXXXXX)
if [[ $(id -u) -eq 0 ]]; then
    chown "$server_user:" "$workdir"
fi

started=no
cleanup() {
    if [[ $started == yes ]]; then
        as_server_user "$bindir/pg_ctl" -D "$workdir/data" -m fast -w stop >/dev/null 2>&1 ||
            as_server_user "$bindir/pg_ctl" -D "$workdir/data" -m immediate -w stop >/dev/null 2>&1 ||
            true
    fi
    rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Only the socket in the private folder admits anyone; TCP stays closed to passwordless logins.
as_server_user "$bindir/initdb" -D "$workdir/data" -U postgres -E UTF8 --locale=C \
    --auth-local=trust --auth-host=scram-sha-256 >"$workdir/initdb.log" 2>&1 || {
    cat "$workdir/initdb.log" >&2
    exit 2
}

# The authority and the server's certificate, made in the work folder and gone with it.
tls_options=
if command -v openssl >/dev/null; then
    tls=$workdir/tls
    mkdir "$tls"
    {
        openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 -subj "/CN=EXP036 teste" \
            -keyout "$tls/ca.key" -out "$tls/ca.pem" &&
            openssl req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -subj "/CN=127.0.0.1" \
                -keyout "$workdir/server.key" -out "$tls/server.csr" &&
            printf 'subjectAltName=IP:127.0.0.1\n' >"$tls/san.cnf" &&
            openssl x509 -req -in "$tls/server.csr" -CA "$tls/ca.pem" -CAkey "$tls/ca.key" \
                -CAcreateserial -days 2 -extfile "$tls/san.cnf" -out "$workdir/server.crt"
    } >"$workdir/openssl.log" 2>&1 || {
        cat "$workdir/openssl.log" >&2
        exit 2
    }
    chmod 600 "$workdir/server.key"
    chmod 755 "$tls"
    if [[ $(id -u) -eq 0 ]]; then
        chown "$server_user:" "$workdir/server.key" "$workdir/server.crt"
    fi
    tls_options="-c ssl=on -c ssl_cert_file=$workdir/server.crt -c ssl_key_file=$workdir/server.key"
    export EXP036_PG_CA=$tls/ca.pem
fi

start_on_free_port "$tls_options" || true
if [[ $started != yes ]]; then
    echo "Não foi possível iniciar o PostgreSQL de teste:" >&2
    cat "$workdir/server.log" >&2 || true
    exit 2
fi

as_server_user "$bindir/createdb" -h "$workdir" -p "$port" -U postgres exp036

export EXP036_PG_URL="host=$workdir port=$port dbname=exp036 user=postgres"

status=0
"$@" || status=$?
exit "$status"
