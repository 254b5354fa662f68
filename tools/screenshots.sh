#!/usr/bin/env bash
# Renders the pictures of docs/images from tools/screenshots.ui through the real windows
# (offscreen), against a fresh demo database and the local application server, so they
# always show the form as it is, at the screen scales people use: 1, 1.25, 1.5 and 2. Every
# scale's pictures are kept in build/screenshots/escala-S (a run fails on a caption or cell
# that does not fit); docs/images takes those of scale 1 and the main window at scale 2.
# Usage: tools/screenshots.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bin=$root/${1:-build/release}/bin
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
kept=$root/build/screenshots
rm -rf "$kept"
for scale in 1 1.25 1.5 2; do
    EXP036_UI_GUI=1 EXP036_UI_SCREENSHOTS="$shots/$scale" QT_QPA_PLATFORM=offscreen \
        QT_SCALE_FACTOR=$scale bash tests/run_ui_script.sh "$bin/exp036-host" \
        "$bin/exp036-appserver" "$bin/exp036-appserver-test" "$bin/exp036-demodb" \
        tools/screenshots.ui "$root" "$shots/work-$scale" >/dev/null
    mkdir -p "$kept/escala-$scale"
    cp "$shots/$scale"/*.png "$kept/escala-$scale/"
done
# The pictures the README shows, by what they show: the Nth picture of a window.
pick() { cp "$(ls "$shots/${4:-1}"/*-"$1".png | sed -n "${2:-1}p")" "docs/images/$3.png"; }
mkdir -p docs/images
pick principal 3 janela-principal
pick mensagem 1 mensagem-recusa
pick seletor 2 seletor-clientes-filtro
pick principal 5 foco-na-opcao-lista
pick principal 6 foco-na-caixa-aprovada
pick principal 7 status-desabilitados
pick seletor 6 seletor-notas
pick visualizacao 1 visualizacao-pagina-1
pick impressao 1 dialogo-impressao
pick janela 2 janela-modal
pick consultas_salvas 2 menu-consultas-salvas
pick principal 3 janela-principal-escala-2 2
# The spreadsheet of the same branch, year and clients as LibreOffice prints its first page, in
# Brazilian number format. LibreOffice is not among the project's packages: without it the
# picture in docs/images stays as it is.
if command -v soffice >/dev/null; then
    "$bin/exp036-host" report --db "$shots/work-1/demo.sqlite" --reports reports --branch 0001 \
        --from 01/01/2026 --to 31/12/2026 --clients 1,2,3,4,5 --format xlsx \
        --out "$shots/planilha.xlsx" 2>/dev/null
    LANG=pt_BR.UTF-8 LC_ALL=pt_BR.UTF-8 HOME=$shots \
        soffice --headless --convert-to pdf --outdir "$shots" "$shots/planilha.xlsx" >/dev/null
    pdftoppm -png -r 90 -f 1 -l 1 -singlefile -x 40 -y 50 -W 980 -H 160 "$shots/planilha.pdf" \
        docs/images/planilha-xlsx
fi
ls docs/images
echo "Todas as escalas em: $kept"
