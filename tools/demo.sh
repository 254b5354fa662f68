#!/usr/bin/env bash
# The main job on the embedded default: builds what is missing, creates the demo database
# when absent, starts the application server on a free loopback port, runs the demo script
# (the form opens, clients and invoices are picked, the report is previewed on the terminal
# and printed to a PDF), stops the server and says where the PDF is.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

tools/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" \
    --target exp036-host exp036-appserver exp036-demodb Pkg_exp03600
bin=$root/build/release/bin

work=$root/demo
mkdir -p "$work/output"
if [[ ! -f $work/demo.sqlite ]]; then
    "$bin/exp036-demodb" "$work/demo.sqlite"
fi

"$bin/exp036-appserver" --db "$work/demo.sqlite" --port 0 >"$work/server.log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true' EXIT
port=
for _ in $(seq 100); do
    port=$(sed -n 's/^listening on .*:\([0-9][0-9]*\)$/\1/p' "$work/server.log" | head -n 1)
    [[ -n $port ]] && break
    kill -0 "$server" 2>/dev/null || { cat "$work/server.log" >&2; exit 1; }
    sleep 0.1
done
[[ -n $port ]] || { echo "O servidor de aplicação não informou a porta." >&2; exit 1; }

session=(--db "$work/demo.sqlite" --reports "$root/reports" --output "$work/output"
         --branch 0001 --server "127.0.0.1:$port")
if [[ -n ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then
    # A person at a screen: the desktop application on the demo database and the local server.
    "$bin/exp036-host" "${session[@]}"
    exit 0
fi

# No screen: the demo script through the real windows, offscreen, with its pictures.
before=$(ls "$work/output")
rm -rf "$work/screenshots"
# The demo prints to a PDF whatever printers the machine has.
CUPS_SERVER=$work/sem-cups.sock QT_QPA_PLATFORM=offscreen "$bin/exp036-host" "${session[@]}" --gui \
    --screenshots "$work/screenshots" --script "$root/tools/demo.ui" 2> >(grep -v '^This plugin\|XDG_RUNTIME' >&2)
pdf=$(comm -13 <(echo "$before") <(ls "$work/output") | grep '\.pdf$' | tail -n 1)
[[ -n $pdf ]] || { echo "Nenhum PDF foi impresso." >&2; exit 1; }
echo
echo "Telas da demonstração em: $work/screenshots"
echo "Relatório impresso em: $work/output/$pdf"
