#!/usr/bin/env bash
# Usage: with_firebird.sh COMMAND [ARG...]
#
# Runs COMMAND against a throw-away Firebird 3 server: its own configuration folder (a
# firebird.conf listening on a free loopback port, never 3050), its own security database with a
# random SYSDBA password, lock and temporary folders and one empty database, all in a private
# folder under /tmp. COMMAND finds the database in EXP036_FB_URL (host/port:path, as the
# programs take it), a folder the server may create more databases in in EXP036_FB_DIR, the
# server's address in EXP036_FB_SERVER (host/port) and the login in ISC_USER and ISC_PASSWORD,
# which Firebird's client library reads. The server is stopped and the folder removed whatever
# COMMAND does, and COMMAND's exit status is passed on.
#
# As root the server runs as the "firebird" user (firebird3.0-server).
set -euo pipefail

if [[ $# -eq 0 ]]; then
    echo "uso: $0 COMANDO [ARGUMENTOS...]" >&2
    exit 2
fi

server_binary=${FIREBIRD_SERVER:-/usr/sbin/firebird}
security_sql=/usr/share/firebird/3.0/security.sql
if [[ ! -x "$server_binary" || ! -r "$security_sql" ]]; then
    echo "Firebird 3 não encontrado (instale os pacotes firebird3.0-server e firebird3.0-utils)." >&2
    exit 2
fi
isql=$(command -v isql-fb || true)
if [[ -z "$isql" ]]; then
    echo "isql-fb não encontrado (instale o pacote firebird3.0-utils)." >&2
    exit 2
fi

if [[ $(id -u) -eq 0 ]]; then
    server_user=firebird
else
    server_user=$(id -un)
fi

workdir=$(mktemp -d /tmp/exp036-fb.XXXXXX)
mkdir "$workdir/conf" "$workdir/lock" "$workdir/tmp" "$workdir/data"
chmod 755 "$workdir" "$workdir/conf"
chmod 770 "$workdir/lock" "$workdir/tmp"
chmod 777 "$workdir/data"

server_pid=
cleanup() {
    if [[ -n $server_pid ]]; then
        kill -TERM "$server_pid" 2>/dev/null || true
        for _ in $(seq 1 50); do
            kill -0 "$server_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    fi
    rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

password=$(head -c 12 /dev/urandom | od -An -tx1 | tr -d ' \n')

# The server and the set-up below read this folder's configuration only: Firebird takes the
# first setting of a name, so nothing of the system's configuration applies.
write_configuration() {
    cat >"$workdir/conf/firebird.conf" <<CONF
RemoteServicePort = $1
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $workdir/security3.fdb
ServerMode = Super
AuthServer = Srp
AuthClient = Srp
UserManager = Srp
WireCrypt = Required
UdfAccess = None
GuardianOption = 0
CONF
    cat >"$workdir/conf/databases.conf" <<CONF
security.db = $workdir/security3.fdb
CONF
}

# Runs a Firebird program as the server's user in the server's own environment (its
# configuration, lock and temporary folders). The program replaces the shell that runs the
# function, so that started in the background ($!) it is the program itself.
exec_as_server() {
    cd "$workdir"
    local -a environment=(FIREBIRD="$workdir/conf" FIREBIRD_LOCK="$workdir/lock"
        FIREBIRD_TMP="$workdir/tmp" TZ=UTC)
    if [[ $(id -u) -eq 0 ]]; then
        exec setpriv --reuid="$server_user" --regid="$server_user" --init-groups \
            env "${environment[@]}" "$@"
    fi
    exec env "${environment[@]}" "$@"
}

write_configuration 0
if [[ $(id -u) -eq 0 ]]; then
    chown -R "$server_user:" "$workdir/lock" "$workdir/tmp" "$workdir/data"
    chown "$server_user:" "$workdir"
fi

# A fresh security database from Firebird's own script, SYSDBA's password in it (embedded).
{
    echo "CREATE DATABASE '$workdir/security3.fdb';"
    cat "$security_sql"
    echo "COMMIT;"
    echo "CREATE OR ALTER USER SYSDBA PASSWORD '$password' USING PLUGIN Srp;"
    echo "COMMIT;"
} >"$workdir/security.sql"
chmod 644 "$workdir/security.sql"
if ! (exec_as_server "$isql" -q -user SYSDBA -i "$workdir/security.sql") >"$workdir/security.log" 2>&1; then
    cat "$workdir/security.log" >&2
    exit 2
fi

port_is_free() {
    ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

# A port can be taken between the check and the start, so a failed start tries another one.
started=no
for attempt in 1 2 3 4 5 6 7 8 9 10; do
    port=$((20000 + RANDOM % 40000))
    port_is_free "$port" || continue
    write_configuration "$port"
    # -d keeps the server in the foreground, so that $! is the server and stopping it is ours.
    exec_as_server "$server_binary" -d -p "$port" >"$workdir/server.log" 2>&1 &
    server_pid=$!
    for _ in $(seq 1 100); do
        if ! port_is_free "$port"; then
            started=yes
            break
        fi
        kill -0 "$server_pid" 2>/dev/null || break
        sleep 0.1
    done
    [[ $started == yes ]] && break
    kill -KILL "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
    server_pid=
done
if [[ $started != yes ]]; then
    echo "Não foi possível iniciar o Firebird de teste:" >&2
    cat "$workdir/server.log" >&2 || true
    exit 2
fi

export EXP036_FB_SERVER="127.0.0.1/$port"
export EXP036_FB_DIR="$workdir/data"
export EXP036_FB_URL="$EXP036_FB_SERVER:$workdir/data/exp036.fdb"
export ISC_USER=SYSDBA
export ISC_PASSWORD=$password

echo "CREATE DATABASE '$EXP036_FB_URL' DEFAULT CHARACTER SET UTF8;" >"$workdir/create.sql"
if ! "$isql" -q -i "$workdir/create.sql" >"$workdir/create.log" 2>&1; then
    cat "$workdir/create.log" "$workdir/server.log" >&2
    exit 2
fi

status=0
"$@" || status=$?
exit "$status"
