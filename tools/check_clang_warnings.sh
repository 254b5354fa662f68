#!/usr/bin/env bash
# Fails when clang finds a warning that g++ lets through in what the fuzz targets are built from
# (tools/fuzz.sh builds them with clang and warnings as errors): the framework, the host's core
# and the targets themselves, each source checked by clang++ with the flags of the build that
# BUILD_DIR holds, without generating code.
#
# usage: tools/check_clang_warnings.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
if ! command -v clang++ >/dev/null; then
    echo "clang++ não encontrado (tools/install-deps.sh instala o pacote clang)." >&2
    exit 1
fi
# One line per source: its folder, then the command with clang++ in place of the compiler and
# -fsyntax-only in place of the output; NUL-separated, since arguments hold blanks.
python3 - "$build/compile_commands.json" "$PWD" >"$build/clang_warnings.commands" <<'PYTHON'
import json, shlex, sys
entries = json.load(open(sys.argv[1]))
root = sys.argv[2] + "/"
for entry in entries:
    source = entry["file"]
    if not source.startswith(root):
        continue
    inside = source[len(root):]
    if not inside.startswith(("src/host/", "apps/host/", "tests/fuzz/")):
        continue
    # The desktop's widgets are no part of a fuzz target.
    if inside.startswith(("src/host/view/", "apps/host/desktop/")):
        continue
    arguments = shlex.split(entry["command"])
    kept = ["clang++"]
    skip = False
    for argument in arguments[1:]:
        if skip:
            skip = False
            continue
        if argument in ("-o", "-MF", "-MT"):
            skip = True
            continue
        # Options of g++ alone (clang has no GNU-unique symbols to turn off).
        if argument in ("-c", "-MD", "-fno-gnu-unique"):
            continue
        kept.append(argument)
    kept.append("-fsyntax-only")
    sys.stdout.write(entry["directory"] + "\0" + " ".join(shlex.quote(a) for a in kept) + "\0")
PYTHON
count=$(tr -cd '\0' <"$build/clang_warnings.commands" | wc -c)
if ! xargs -0 -n 2 -P "$(nproc)" sh -c 'cd "$1" && eval "$2"' check <"$build/clang_warnings.commands"; then
    echo "o clang recusa o código acima (o preset fuzz compila com clang e -Werror)" >&2
    exit 1
fi
echo "clang: $((count / 2)) arquivos conferidos"
