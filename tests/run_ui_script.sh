#!/bin/bash
# Runs one UI script the way ctest does: a fresh work folder with its own demo database and
# a copy of the report definitions, an application server in the background when the script
# asks for one, and the host driven by the script. Fails when the host fails.
#
# usage: run_ui_script.sh HOST SERVER TEST_SERVER DEMODB SCRIPT SOURCE_DIR WORK_DIR
#
# Directives, read from the comment lines at the top of the script:
#   # needs: server          start exp036-appserver and pass --server 127.0.0.1:PORT
#   # options: --locked ...  more host options (later ones override the defaults)
#   # demodb: --test-data    options for exp036-demodb
#   # server: --test-getnota kind-c   start the tests' server, exp036-appserver-test, with
#                            these options instead (implies needs: server)
#   # person: LOGIN BRANCH [bound]   on PostgreSQL or a Firebird server only: the shared-use
#                            setup, a person with the password senha-LOGIN, and the host
#                            connected without a password (as that person over TCP on
#                            PostgreSQL), so the database asks for one
# Directive values are split at blanks; quotes are not interpreted.
#
# The database is a fresh SQLite file in WORK_DIR; the PostgreSQL database named by
# EXP036_PG_URL (tests/pg/with_postgres.sh sets it) or the Firebird server's database named by
# EXP036_FB_URL (tests/firebird/with_firebird.sh) when one is set; an embedded Firebird file in
# WORK_DIR, which the host and the application server open at once, with EXP036_UI_FIREBIRD=1.
set -u

if [ $# -ne 7 ]; then
    echo "uso: $0 HOST SERVER TEST_SERVER DEMODB SCRIPT SOURCE_DIR WORK_DIR" >&2
    exit 2
fi
# Absolute paths: the host runs inside the work folder.
host=$(realpath "$1") server=$(realpath "$2") test_server=$(realpath "$3") demodb=$(realpath "$4")
script=$(realpath "$5") source_dir=$(realpath "$6") work=$(realpath -m "$7")

fail() {
    echo "ui script $(basename "$script"): $*" >&2
    exit 1
}

# The directives of the leading comment block.
needs_server=no
host_options=()
demodb_options=()
server_extra=()
person=()
while IFS= read -r line; do
    case "$line" in
        "# needs: server"*) needs_server=yes ;;
        "# options:"*) read -r -a more <<<"${line#\# options:}"; host_options+=("${more[@]}") ;;
        "# demodb:"*) read -r -a more <<<"${line#\# demodb:}"; demodb_options+=("${more[@]}") ;;
        "# person:"*) read -r -a person <<<"${line#\# person:}" ;;
        "# server:"*) read -r -a more <<<"${line#\# server:}"; server_extra+=("${more[@]}"); needs_server=yes; server=$test_server ;;
        "#"* | "") ;;
        *) break ;;
    esac
done <"$script"

rm -rf "$work" && mkdir -p "$work" || fail "não foi possível criar $work"
# Inside tests/pg/with_postgres.sh or tests/firebird/with_firebird.sh the same script runs on
# that server's database instead.
if [ -n "${EXP036_PG_URL:-}" ]; then
    database=$EXP036_PG_URL
elif [ -n "${EXP036_FB_URL:-}" ]; then
    database=$EXP036_FB_URL
elif [ -n "${EXP036_UI_FIREBIRD:-}" ]; then
    database=$work/demo.fdb
else
    database=$work/demo.sqlite
fi
"$demodb" "$database" "${demodb_options[@]}" >"$work/demodb.log" 2>&1 ||
    { cat "$work/demodb.log" >&2; fail "exp036-demodb falhou"; }
if [ ${#person[@]} -gt 0 ]; then
    [ -n "${EXP036_PG_URL:-}${EXP036_FB_URL:-}" ] ||
        fail "'# person:' pede o PostgreSQL ou um servidor Firebird (tests/pg/with_postgres.sh, tests/firebird/with_firebird.sh)"
    admin=$(dirname "$host")/exp036-admin
    bound=()
    [ "${person[2]:-}" = bound ] && bound=(--bound)
    { "$admin" --db "$database" setup &&
        printf 'senha-%s\n' "${person[0]}" | "$admin" --db "$database" user add "${person[0]}" \
            --name "Pessoa ${person[0]}" --branch "${person[1]}" "${bound[@]}" --password-stdin; } \
        >"$work/admin.log" 2>&1 || { cat "$work/admin.log" >&2; fail "exp036-admin falhou"; }
    # The server asks the person's password, which only the script's answers give.
    if [ -n "${EXP036_FB_URL:-}" ]; then
        unset ISC_USER ISC_PASSWORD
    else
        port=$(sed -n 's/.*port=\([0-9][0-9]*\).*/\1/p' <<<"$database")
        database="host=127.0.0.1 port=$port dbname=exp036 user=${person[0]}"
        if [ -n "${EXP036_PG_CA:-}" ]; then
            database+=" sslmode=verify-full sslrootcert=$EXP036_PG_CA"
        fi
        unset PGPASSWORD
        export PGPASSFILE=/dev/null
    fi
fi
if [ -d "$source_dir/reports" ]; then
    cp -r "$source_dir/reports" "$work/reports"
else
    mkdir "$work/reports"
fi

server_pid=
stop_server() {
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null
        wait "$server_pid" 2>/dev/null
    fi
}
trap stop_server EXIT

server_options=()
if [ "$needs_server" = yes ]; then
    "$server" --db "$database" --port 0 "${server_extra[@]}" >"$work/server.log" 2>&1 &
    server_pid=$!
    port=
    for _ in $(seq 100); do
        port=$(sed -n 's/^listening on .*:\([0-9][0-9]*\)$/\1/p' "$work/server.log" | head -n 1)
        [ -n "$port" ] && break
        kill -0 "$server_pid" 2>/dev/null ||
            { cat "$work/server.log" >&2; server_pid=; fail "o servidor de aplicação não subiu"; }
        sleep 0.1
    done
    [ -n "$port" ] || { cat "$work/server.log" >&2; fail "o servidor não informou a porta"; }
    server_options=(--server "127.0.0.1:$port")
fi

# Hermetic: an editor set in the caller's environment must not open during a test, and no
# print server of the machine gets a test's pages (a test with its own CUPS sets CUPS_SERVER).
unset VISUAL EDITOR
export CUPS_SERVER=${EXP036_CUPS_SERVER:-$work/sem-cups.sock}
# EXP036_UI_GUI=1 runs the script through the real windows (QT_QPA_PLATFORM=offscreen in CI);
# its transcript must be the headless one.
gui_options=()
if [ -n "${EXP036_UI_GUI:-}" ]; then
    gui_options=(--gui)
    # EXP036_UI_SCREENSHOTS=FOLDER keeps a PNG of every window shown (tools/screenshots.sh).
    if [ -n "${EXP036_UI_SCREENSHOTS:-}" ]; then
        gui_options+=(--screenshots "$(realpath -m "$EXP036_UI_SCREENSHOTS")")
    fi
fi
cd "$work" || fail "não foi possível entrar em $work"
"$host" --db "$database" --reports "$work/reports" --output "$work/out" --branch 0001 \
    "${server_options[@]}" "${host_options[@]}" "${gui_options[@]}" \
    --script "$script" --transcript "$work/transcript.txt" 2>"$work/host.err"
status=$?

echo "--- transcrição"
cat "$work/transcript.txt" 2>/dev/null
if [ $status -ne 0 ]; then
    echo "--- erros do host"
    cat "$work/host.err"
    if [ -n "$server_pid" ]; then
        echo "--- servidor"
        cat "$work/server.log"
    fi
    fail "exp036-host terminou com $status"
fi
