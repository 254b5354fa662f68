#!/bin/bash
# Prints from the form through a real CUPS: a cupsd of the test's own (its configuration,
# spool and logs in the work folder, listening on a free loopback port) with Debian's cups-pdf
# printer as its default. The form's Imprimir names no printer, so the report must reach that
# default; the PDF cups-pdf writes is then read back with pdftotext and must hold the report's
# pages. Everything it started is stopped, and it ends by itself.
#
# usage: print_through_cups.sh HOST SERVER TEST_SERVER DEMODB SOURCE_DIR WORK_DIR
set -u
if [ $# -ne 6 ]; then
    echo "uso: $0 HOST SERVER TEST_SERVER DEMODB SOURCE_DIR WORK_DIR" >&2
    exit 2
fi
host=$1 server=$2 test_server=$3 demodb=$4
source_dir=$(realpath "$5") work=$(realpath -m "$6")
fail() {
    echo "impressão pelo CUPS: $*" >&2
    exit 1
}
[ "$(id -u)" = 0 ] || fail "o cupsd do teste roda o cups-pdf como root: rode como root"
rm -rf "$work" && mkdir -p "$work"/{etc/ppd,spool/tmp,cache,state,log,pdf,cups-pdf-spool} ||
    fail "não foi possível criar $work"
chmod -R a+rwX "$work"

# A queue name of this run: cups-pdf reads its settings from /etc/cups/cups-pdf-QUEUE.conf,
# the only place it looks, removed again at the end.
queue=exp036teste$$
queue_conf=/etc/cups/cups-pdf-$queue.conf
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
cat >"$work/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
Printcap $work/printcap
StateDir $work/state
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
Sandboxing Relaxed
CONF
cat >"$work/cupsd.conf" <<CONF
Listen 127.0.0.1:$port
LogLevel info
DefaultAuthType None
Browsing Off
<Location />
  Order allow,deny
  Allow 127.0.0.1
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$queue_conf" <<CONF
Out $work/pdf
Spool $work/cups-pdf-spool
AnonDirName $work/pdf
UserUMask 0022
Grp root
Log $work/log
CONF
cupsd_pid=
stop() {
    [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
    rm -f "$queue_conf"
}
trap stop EXIT

cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" >"$work/log/cupsd.out" 2>&1 &
cupsd_pid=$!
export CUPS_SERVER=127.0.0.1:$port
# lpstat -r says whether the scheduler answers (its status is 0 either way).
answers() { LC_ALL=C lpstat -r 2>/dev/null | grep -q "is running"; }
for _ in $(seq 100); do
    answers && break
    kill -0 "$cupsd_pid" 2>/dev/null || { cat "$work/log/"* >&2; cupsd_pid=; fail "o cupsd não subiu"; }
    sleep 0.1
done
answers || fail "o cupsd não respondeu na porta $port"
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
    >"$work/log/lpadmin.out" 2>&1 || { cat "$work/log/lpadmin.out" >&2; fail "lpadmin falhou"; }
lpadmin -d "$queue" >>"$work/log/lpadmin.out" 2>&1 || fail "a impressora padrão não foi definida"
# The PostScript cups-pdf is fed is made by pdftocairo: the default renderer keeps the glyphs but
# not which letters they are, and then no reader gets the text of the pages back.
lpadmin -p "$queue" -o pdftops-renderer-default=pdftocairo >>"$work/log/lpadmin.out" 2>&1 ||
    fail "a opção do filtro não foi gravada"

# The form prints with no printer named: the UI script runs as ctest runs the others.
EXP036_CUPS_SERVER=$CUPS_SERVER bash "$source_dir/tests/run_ui_script.sh" "$host" "$server" \
    "$test_server" "$demodb" "$source_dir/tests/cups/print_default.ui" "$source_dir" \
    "$work/script" >"$work/script.out" 2>&1 || { cat "$work/script.out" >&2; fail "o script falhou"; }
grep -q "^printer: $queue\$" "$work/script/transcript.txt" ||
    { cat "$work/script.out" >&2; fail "a transcrição não diz que o relatório foi para $queue"; }
if compgen -G "$work/script/out/*.pdf" >/dev/null; then
    fail "o PDF ficou na pasta de saída, embora houvesse impressora"
fi

# cups-pdf writes the job's PDF once the print server has run it.
pdf=
for _ in $(seq 300); do
    pdf=$(find "$work/pdf" -name '*.pdf' -size +0 | head -n 1)
    [ -n "$pdf" ] && ! lpstat -o "$queue" 2>/dev/null | grep -q . && break
    sleep 0.1
done
[ -n "$pdf" ] || { cat "$work/log/"*_log >&2; fail "o cups-pdf não gravou o PDF do trabalho"; }
text=$(pdftotext -layout "$pdf" - 2>/dev/null) || fail "pdftotext não leu $pdf"
pages=$(grep -c $'\f' <<<"$text")
grep -q "Consulta Lançamentos" <<<"$text" || fail "o PDF impresso não tem o título do relatório"
grep -q "Página 1 de" <<<"$text" || fail "o PDF impresso não tem a primeira página"
grep -q "Total geral" <<<"$text" || fail "o PDF impresso não tem o total do relatório"
# Every page the report numbered came out of the printer.
numbered=$(grep -o "Página 1 de [0-9]*" <<<"$text" | head -n 1 | grep -o "[0-9]*$")
[ "$numbered" = "$pages" ] || fail "o relatório tem $numbered páginas, o PDF impresso $pages"
echo "impresso em $queue (padrão do CUPS): $pdf, $pages página(s)"
echo "1 passed, 0 failed"
