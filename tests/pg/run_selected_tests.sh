#!/usr/bin/env bash
# Usage: run_selected_tests.sh TEST_BINARY FILTER
#
# Runs the GoogleTest tests FILTER selects, and fails when it selects none: a filter that
# stopped matching (a renamed suite, say) must not pass as a run of zero tests.
set -euo pipefail
binary=$1 filter=$2
selected=$("$binary" --gtest_list_tests --gtest_filter="$filter" | grep -c '^  ' || true)
if [[ $selected -eq 0 ]]; then
    echo "nenhum teste corresponde ao filtro '$filter' em $(basename "$binary")" >&2
    exit 1
fi
exec "$binary" --gtest_filter="$filter"
