#!/usr/bin/env bash
# Builds the Debian packages with CPack, unpacks each into one throw-away root as dpkg would
# install them, and runs the installed programs from there: the host's help and a UI script (the
# host must find the module and the report definitions without options), the server's help, and
# the demo tool. Nothing of the build folder may be used by the installed programs.
#
# usage: installed_tree_test.sh BUILD_DIR SOURCE_DIR WORK_DIR
set -euo pipefail
build=$(realpath "$1") source_dir=$(realpath "$2") work=$(realpath -m "$3")

fail() {
    echo "installed tree: $*" >&2
    exit 1
}

rm -rf "$work" && mkdir -p "$work/packages" "$work/root"
(cd "$build" && cpack -G DEB -B "$work/packages" >"$work/cpack.log" 2>&1) ||
    { tail -n 30 "$work/cpack.log" >&2; fail "cpack falhou"; }

for package in exp036-common exp036-host exp036-appserver exp036-tools; do
    deb=$(ls "$work/packages/${package}_"*.deb 2>/dev/null | head -n 1)
    [[ -n $deb ]] || fail "o pacote $package não foi gerado"
    dpkg-deb -x "$deb" "$work/root"
done
dpkg-deb -f "$work/packages/exp036-appserver_"*.deb Depends | grep -q "exp036-common" ||
    fail "exp036-appserver não depende de exp036-common"
dpkg-deb -I "$work/packages/exp036-appserver_"*.deb conffiles | grep -qx "/etc/exp036/appserver.conf" ||
    fail "a configuração do servidor não é um conffile"

root=$work/root
for file in usr/bin/exp036-host usr/bin/exp036-appserver usr/bin/exp036-demodb \
    usr/lib/exp036/libhostfw.so usr/lib/exp036/libhostfw_base.so usr/lib/exp036/libhostfw_view.so \
    usr/lib/exp036/libPkg_exp03600.so usr/share/exp036/reports/EXP036-001.json \
    usr/share/exp036/schema/schema.sql lib/systemd/system/exp036-appserver.service \
    lib/systemd/system/exp036-appserver@.service usr/share/doc/exp036-appserver/haproxy/exp036.cfg \
    etc/exp036/appserver.conf usr/share/applications/exp036-host.desktop \
    usr/share/icons/hicolor/scalable/apps/exp036-host.svg \
    usr/share/icons/hicolor/48x48/apps/exp036-host.png; do
    [[ -e $root/$file ]] || fail "falta /$file"
done
# The launcher is in the desktop's office menu and starts the installed host with its icon.
launcher=$root/usr/share/applications/exp036-host.desktop
grep -qx "Exec=exp036-host" "$launcher" || fail "o lançador não abre o exp036-host"
grep -qx "Icon=exp036-host" "$launcher" || fail "o lançador não usa o ícone do produto"
grep -q "^Categories=.*Office;" "$launcher" || fail "o lançador não está no menu Escritório"
file "$root/usr/share/icons/hicolor/48x48/apps/exp036-host.png" | grep -q "48 x 48" ||
    fail "o ícone de 48x48 não tem esse tamanho"
dpkg-deb -f "$work/packages/exp036-host_"*.deb Depends | grep -q "qt6-translations-l10n" ||
    fail "exp036-host não depende das traduções do Qt"
# The tests' server, with its test object and test modes, is never shipped.
if find "$root" -name 'exp036-appserver-test*' | grep -q .; then
    fail "o servidor de testes foi instalado"
fi

# The installed programs resolve the framework from the installed tree, never from the build.
unset LD_LIBRARY_PATH
for program in exp036-host exp036-appserver exp036-demodb; do
    libraries=$(ldd "$root/usr/bin/$program")
    if grep "hostfw" <<<"$libraries" | grep -qv "=> $root/"; then
        fail "$program não usa as bibliotecas instaladas:"$'\n'"$libraries"
    fi
done
if ldd "$root/usr/bin/exp036-appserver" | grep -qiE 'libQt|libicu'; then
    fail "exp036-appserver depende do Qt"
fi

cd "$work"
"$root/usr/bin/exp036-host" --help >host-help.txt || fail "exp036-host --help falhou"
"$root/usr/bin/exp036-appserver" --help >server-help.txt || fail "exp036-appserver --help falhou"
"$root/usr/bin/exp036-demodb" demo.sqlite --test-data >demodb.log || fail "exp036-demodb falhou"
"$root/usr/bin/exp036-host" --db demo.sqlite --branch 0001 \
    --script "$source_dir/tests/scripts/report_parameters.ui" >transcript.txt 2>host.err ||
    { cat transcript.txt host.err >&2; fail "o script falhou no host instalado"; }
# The desktop view comes with the host: the same script through the real windows, offscreen.
QT_QPA_PLATFORM=offscreen "$root/usr/bin/exp036-host" --gui --db demo.sqlite --branch 0001 \
    --script "$source_dir/tests/scripts/report_parameters.ui" >gui-transcript.txt 2>gui.err ||
    { cat gui-transcript.txt gui.err >&2; fail "o script pela janela falhou no host instalado"; }
# The two runs may print their reports in different seconds.
untimed() { sed 's|Impresso em [0-9/]* [0-9:]*|Impresso em (hora)|' "$1"; }
cmp -s <(untimed transcript.txt) <(untimed gui-transcript.txt) ||
    fail "a transcrição pela janela difere da sem janela"
echo "instalação conferida em $root"
