#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages the product needs to build, test and run.
# Packages already present are left alone; nothing is fetched when all are there.
set -euo pipefail

packages=(
    build-essential cmake pkg-config git
    libsqlite3-dev sqlite3 libpq-dev postgresql
    libcpp-httplib-dev nlohmann-json3-dev
    qt6-base-dev fonts-dejavu-core poppler-utils
    libgtest-dev libgmock-dev libbenchmark-dev clang-format
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
echo "Instalando: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
