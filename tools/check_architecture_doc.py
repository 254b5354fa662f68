#!/usr/bin/env python3
"""Compares docs/architecture.md with the build's own lists, so the two cannot drift.

usage: tools/check_architecture_doc.py LAYERS PROGRAMS DOC

LAYERS holds "layer library" lines, lowest layer first, and PROGRAMS "program folder" lines,
as the configure step writes them (architecture/ in the build folder). The document must draw
each library top down (the one holding the highest layer first) with its layers under it, top
down in the build's order; describe every layer in "## The layers" in the build's order; and
name every program with its folder.
"""
import re
import sys


def read_pairs(path):
    with open(path, encoding="utf-8") as lines:
        return [tuple(line.split()) for line in lines if line.strip()]


def drawn_stack(text):
    """(library, layer) pairs of the first drawing, top down."""
    drawing = text.split("```")[1]
    pairs, library = [], None
    for line in drawing.splitlines():
        heading = re.match(r"^ (lib\w+\.so)\b", line)
        if heading:
            library = heading.group(1)
            continue
        layer = re.match(r"^   ([a-z_]+)\b", line)
        if library and layer:
            pairs.append((library, layer.group(1)))
    return pairs


def described_layers(text):
    section = text.split("## The layers", 1)[1].split("\n## ", 1)[0]
    return re.findall(r"^- \*\*([a-z_]+)\*\*", section, re.MULTILINE)


def main(layers_path, programs_path, doc_path):
    stack = read_pairs(layers_path)
    programs = read_pairs(programs_path)
    with open(doc_path, encoding="utf-8") as doc:
        text = doc.read()
    problems = []

    libraries = sorted({library for _, library in stack},
                       key=lambda lib: max(i for i, (_, l) in enumerate(stack) if l == lib),
                       reverse=True)
    expected = [(library, layer) for library in libraries
                for layer, shipped in reversed(stack) if shipped == library]
    drawn = drawn_stack(text)
    if drawn != expected:
        problems.append("o desenho mostra as camadas\n  " +
                        "\n  ".join(f"{lib}: {layer}" for lib, layer in drawn) +
                        "\nmas o build as tem\n  " +
                        "\n  ".join(f"{lib}: {layer}" for lib, layer in expected))

    described = described_layers(text)
    in_build = [layer for layer, _ in stack]
    if described != in_build:
        problems.append(f"\"The layers\" descreve {described}, o build tem {in_build}")

    for program, folder in programs:
        if f"`{program}`" not in text:
            problems.append(f"o programa {program} ({folder}) não está no documento")
        if f"**{folder}**" not in text and f"({folder})" not in text:
            problems.append(f"a pasta {folder} do programa {program} não está no documento")

    for problem in problems:
        print(f"{doc_path}: {problem}", file=sys.stderr)
    if not problems:
        print(f"{doc_path}: {len(stack)} camadas e {len(programs)} programas como no build")
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
