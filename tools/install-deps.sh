#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages the product needs to build, test and run.
# Packages already present are left alone; nothing is fetched when all are there.
set -euo pipefail

packages=(
    build-essential cmake pkg-config git file dpkg-dev
    libsqlite3-dev sqlite3 libpq-dev postgresql
    firebird-dev firebird3.0-server firebird3.0-utils
    libcpp-httplib-dev nlohmann-json3-dev libboost-dev libssl-dev openssl
    qt6-base-dev qt6-qpa-plugins fonts-dejavu-core fonts-liberation2 poppler-utils
    xvfb xauth
    libgtest-dev libgmock-dev libbenchmark-dev clang-format
    clang libclang-rt-dev
    libxlsxwriter-dev libminizip-dev python3-openpyxl
    qt6-translations-l10n librsvg2-bin libcups2-dev
    cups-daemon cups-client cups-filters printer-driver-cups-pdf ghostscript
    at-spi2-core python3-pyatspi dbus-daemon openbox
    haproxy
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi
if [[ $(id -u) -ne 0 ]]; then
    echo "Pacotes ausentes: ${missing[*]}. Execute como root para instalá-los." >&2
    exit 1
fi
# apt's own output goes to a log, shown only when something fails; the user sees one line per
# package.
log=$(mktemp -t exp036-apt.XXXXXX.log)
trap 'rm -f "$log"' EXIT
export DEBIAN_FRONTEND=noninteractive
if ! apt-get update >"$log" 2>&1 ||
    ! apt-get install -y --no-install-recommends "${missing[@]}" >>"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "A instalação de pacotes falhou (acima, o fim da saída do apt-get)." >&2
    exit 1
fi
for package in "${missing[@]}"; do
    echo "instalado: $package $(dpkg-query -W -f='${Version}' "$package")"
done
