#!/usr/bin/env bash
# Renders the pictures of docs/images from tools/screenshots.ui through the real windows
# (offscreen), against a fresh demo database and the local application server, so they
# always show the form as it is. Usage: tools/screenshots.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bin=$root/${1:-build/release}/bin
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
EXP036_UI_GUI=1 EXP036_UI_SCREENSHOTS="$shots" QT_QPA_PLATFORM=offscreen \
    bash tests/run_ui_script.sh "$bin/exp036-host" "$bin/exp036-appserver" \
    "$bin/exp036-appserver-test" "$bin/exp036-demodb" \
    tools/screenshots.ui "$root" "$shots/work" >/dev/null
# The pictures the README shows, by what they show.
pick() { cp "$(ls "$shots"/*-"$1".png | sed -n "${2:-1}p")" "docs/images/$3.png"; }
mkdir -p docs/images
pick principal 3 janela-principal
pick mensagem 1 mensagem-recusa
pick seletor 2 seletor-clientes-filtro
pick seletor 4 seletor-notas
pick visualizacao 1 visualizacao-pagina-1
pick janela 2 janela-modal
pick consultas_salvas 2 menu-consultas-salvas
# The spreadsheet of the same branch, year and clients as LibreOffice prints its first page, in
# Brazilian number format. LibreOffice is not among the project's packages: without it the
# picture in docs/images stays as it is.
if command -v soffice >/dev/null; then
    "$bin/exp036-host" report --db "$shots/work/demo.sqlite" --reports reports --branch 0001 \
        --from 01/01/2026 --to 31/12/2026 --clients 1,2,3,4,5 --format xlsx \
        --out "$shots/planilha.xlsx" 2>/dev/null
    LANG=pt_BR.UTF-8 LC_ALL=pt_BR.UTF-8 HOME=$shots \
        soffice --headless --convert-to pdf --outdir "$shots" "$shots/planilha.xlsx" >/dev/null
    pdftoppm -png -r 90 -f 1 -l 1 -singlefile -x 40 -y 50 -W 980 -H 160 "$shots/planilha.pdf" \
        docs/images/planilha-xlsx
fi
ls docs/images
