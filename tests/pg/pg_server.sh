# Sourced by the scripts that start or drive throw-away PostgreSQL servers (with_postgres.sh,
# with_standby.sh, fail_over.sh). Sets bindir and server_user; as_server_user needs workdir.
#
# initdb refuses to run as root, so as root the servers run as the "postgres" user.
# PG_BINDIR overrides where the server binaries are (default: PostgreSQL 15 on Debian).

bindir=${PG_BINDIR:-/usr/lib/postgresql/15/bin}
if [[ $(id -u) -eq 0 ]]; then
    server_user=postgres
else
    server_user=$(id -un)
fi

# Runs a server tool as the server's user, from inside the work folder (the caller's folder may
# be closed to that user).
as_server_user() {
    if [[ $(id -u) -eq 0 ]]; then
        (cd "$workdir" && runuser -u "$server_user" -- "$@")
    else
        (cd "$workdir" && "$@")
    fi
}

port_is_free() {
    ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

# Starts the cluster in $workdir/data on a free loopback port, its socket in $workdir and its log
# in $workdir/server.log, with the further server options given; sets port and started=yes. A
# port can be taken between the check and the start, so a failed start tries another one.
start_on_free_port() {
    local attempt
    for attempt in 1 2 3 4 5 6 7 8 9 10; do
        port=$((20000 + RANDOM % 40000))
        port_is_free "$port" || continue
        if as_server_user "$bindir/pg_ctl" -D "$workdir/data" -l "$workdir/server.log" -w -t 60 \
            -o "-p $port -k $workdir -c listen_addresses=127.0.0.1 $*" start >/dev/null 2>&1; then
            started=yes
            return 0
        fi
    done
    return 1
}
