#!/usr/bin/env bash
# Lists the include edges between the layers of the host framework (src/host/<layer>) and fails
# on any edge that runs up the stack, and on a folder that is in no layer.
#
# usage: tools/check_layers.sh LAYERS [-v]   (-v also prints every downward edge with its count)
#
# LAYERS is the build's list of the stack, lowest first ("layer library" lines; the configure
# step writes it as architecture/layers.txt in the build folder).
set -euo pipefail
if [[ $# -lt 1 || ! -r $1 ]]; then
    echo "uso: tools/check_layers.sh LISTA_DE_CAMADAS [-v]" >&2
    exit 2
fi
mapfile -t layers < <(awk '{print $1}' "$1")
shift
cd "$(dirname "$0")/.."

declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done

status=0
for dir in src/host/*/; do
    name=$(basename "$dir")
    if [[ -z ${rank[$name]+x} ]]; then
        echo "src/host/$name: pasta fora de qualquer camada" >&2
        status=1
    fi
done

# "from to file" for every include of another layer's header.
edges=$(grep -rEo '^\s*#\s*include\s+"host/[a-z_]+/' src/host --include='*.h' --include='*.cpp' |
    sed -E 's|^src/host/([a-z_]+)/([^:]*):.*"host/([a-z_]+)/$|\1 \3 src/host/\1/\2|' |
    awk '$1 != $2')

while read -r from to file; do
    [[ -n $from ]] || continue
    if [[ -z ${rank[$to]+x} ]]; then
        echo "$file: inclui a camada desconhecida '$to'" >&2
        status=1
    elif ((rank[$to] > rank[$from])); then
        echo "$file: $from -> $to sobe na pilha" >&2
        status=1
    fi
done <<<"$edges"

if [[ ${1:-} == -v ]]; then
    awk '{print $1 " -> " $2}' <<<"$edges" | sort | uniq -c
fi
if ((status == 0)); then
    echo "camadas: nenhuma dependência para cima"
fi
exit $status
