#!/usr/bin/env bash
# Installs what is missing, builds the debug configuration (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test, UI scripts and PostgreSQL tests included.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset debug
cmake --build --preset debug -j "$(nproc)"
ctest --preset debug -j "$(nproc)"
