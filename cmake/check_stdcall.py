#!/usr/bin/env python3
"""Checks, without running anything, that every export of the 32-bit engine is __stdcall with the
argument size its definition implies: the i686 objects must define _NAME@N for each name of the
.def file, with N the bytes its parameter list takes on the stack.

usage: check_stdcall.py NM DEF EXPORT_SOURCES_DIR OBJECT...
"""
import re
import subprocess
import sys
from pathlib import Path

EIGHT_BYTE_TYPES = re.compile(r"\b(double|__int64|long\s+long|LONGLONG|ULONGLONG|DWORDLONG|INT64|UINT64)\b")
FOUR_BYTE_TYPES = re.compile(r"^(const\s+)?(unsigned|signed)?\s*(int|long|short|char|unsigned|float|BOOL|DWORD|UINT|HWND|HANDLE)?$")


def def_names(def_file):
    names, in_exports = [], False
    for line in Path(def_file).read_text().splitlines():
        line = line.split(";", 1)[0].strip()
        if line == "EXPORTS":
            in_exports = True
        elif in_exports and line:
            names.append(re.match(r"[A-Za-z_]\w*", line).group(0))
    return names


def parameter_bytes(parameters):
    total = 0
    for parameter in filter(None, (" ".join(p.split()) for p in parameters.split(","))):
        if parameter == "void":
            continue
        if "*" in parameter or "&" in parameter:
            total += 4
        elif EIGHT_BYTE_TYPES.search(parameter):
            total += 8
        else:
            words = parameter.split()
            type_text = " ".join(words[:-1]) if len(words) > 1 and FOUR_BYTE_TYPES.match(" ".join(words[:-1])) else parameter
            if not FOUR_BYTE_TYPES.match(type_text):
                raise ValueError(f"cannot size the parameter '{parameter}'")
            total += 4
    return total


def definitions(source_dir):
    found = {}
    for source in sorted(Path(source_dir).glob("*.cpp")):
        text = source.read_text()
        for match in re.finditer(r"TS_EXPORT\s+[^(){};]*?\b(\w+)\s*\(([^)]*)\)", text, re.S):
            found[match.group(1)] = (parameter_bytes(match.group(2)), source.name)
    return found


def decorated_symbols(nm, objects):
    out = subprocess.run([nm, "--defined-only", "-g", *objects], check=True, capture_output=True, text=True).stdout
    symbols = {}
    for line in out.splitlines():
        match = re.search(r"\s_(\w+?)(@(\d+))?$", line)
        if match:
            symbols.setdefault(match.group(1), set()).add(None if match.group(3) is None else int(match.group(3)))
    return symbols


def main():
    nm, def_file, source_dir, *objects = sys.argv[1:]
    # The target's object list also names its precompiled header, which holds no symbols.
    objects = [name for name in objects if name.endswith((".obj", ".o"))]
    wanted = def_names(def_file)
    defined = definitions(source_dir)
    symbols = decorated_symbols(nm, objects)
    faults = []
    for name in wanted:
        if name not in defined:
            faults.append(f"{name}: no TS_EXPORT definition in {source_dir}")
            continue
        size, source = defined[name]
        sizes = symbols.get(name, set())
        if size not in sizes:
            got = ", ".join("cdecl (no @N)" if s is None else f"@{s}" for s in sorted(sizes, key=lambda s: -1 if s is None else s)) or "nothing"
            faults.append(f"{name} ({source}): expected _{name}@{size}, the objects define {got}")
    for fault in faults:
        print(fault)
    print(f"{len(wanted) - len(faults)} of {len(wanted)} exports are __stdcall with the argument size of their definition")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
