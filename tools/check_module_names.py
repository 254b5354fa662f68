#!/usr/bin/env python3
"""Fails when the host application names the module's insides.

usage: tools/check_module_names.py ROOT

Every component name of the stored form definitions (the module's under src/form and the base
form's under src/host/base_form) and every variable the module publishes by name is looked for,
as a whole word, in the sources under apps/. The host reaches a form through what the framework
gives it (typed choices, published variables and options), so none of these names belongs there.
"""
import pathlib
import re
import sys

DEFINITION_FOLDERS = ["src/form", "src/host/base_form"]
PUBLISHING_FOLDER = "src/package"


def definition_names(root):
    names = set()
    for folder in DEFINITION_FOLDERS:
        for path in (root / folder).rglob("*.dfm"):
            text = path.read_text(encoding="utf-8", errors="replace")
            names.update(re.findall(r"^\s*(?:object|inherited)\s+(\w+)\s*:", text, re.MULTILINE))
    return names


def published_names(root):
    """Names the module publishes: the quoted first member of each {"name", &address} entry."""
    names = set()
    for path in (root / PUBLISHING_FOLDER).rglob("*.cpp"):
        text = path.read_text(encoding="utf-8", errors="replace")
        names.update(re.findall(r'\{\s*"(\w+)"\s*,\s*&', text))
    return names


def main(root):
    root = pathlib.Path(root)
    names = definition_names(root) | published_names(root)
    if not names:
        print("nenhum nome de controle ou variável encontrado; as pastas mudaram?", file=sys.stderr)
        return 2
    word = re.compile(r"\b(" + "|".join(sorted(map(re.escape, names))) + r")\b")
    found = 0
    for path in sorted((root / "apps").rglob("*")):
        if path.suffix not in {".cpp", ".h", ".txt", ".cmake", ".in"}:
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            for match in word.finditer(line):
                print(f"{path.relative_to(root)}:{number}: {match.group(1)}", file=sys.stderr)
                found += 1
    if found:
        print(f"{found} nome(s) do módulo em apps/", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1]))
