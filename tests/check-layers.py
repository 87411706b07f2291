#!/usr/bin/env python3
"""Fails when a file of src/ includes a header of a layer above its own.

The layers and what each may use are the table at the top of CMakeLists.txt;
it is read from there so that the build and this check cannot disagree.
"""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
cmake = (root / "CMakeLists.txt").read_text()

deps = {m.group(1): set(m.group(2).replace('""', "").split())
        for m in re.finditer(r"^set\(QR_DEPS_(\w+)\s+(.*)\)\s*$", cmake, re.M)}


def layer_of(path: pathlib.PurePosixPath) -> str:
    """The layer is the first folder under src/."""
    return path.parts[0]


include = re.compile(r'^\s*#\s*include\s+"([a-z]+/[^"]+)"', re.M)
faults = []
for source in sorted((root / "src").rglob("*")):
    if source.suffix not in (".cpp", ".h"):
        continue
    own = layer_of(source.relative_to(root / "src"))
    if own not in deps:
        faults.append(f"{source.relative_to(root)}: folder {own} has no row in the layer table")
        continue
    for header in include.findall(source.read_text(errors="replace")):
        target = layer_of(pathlib.PurePosixPath(header))
        if target != own and target in deps and target not in deps[own]:
            faults.append(f"{source.relative_to(root)}: {own} includes {header} ({target} is not below it)")

for fault in faults:
    print(fault)
print(f"{len(faults)} layer fault(s)" if faults else "layers: every include points down")
sys.exit(1 if faults else 0)
