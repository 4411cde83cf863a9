#!/usr/bin/env python3
"""The README's examples, as written: each indented block that follows a line
"<!-- example: KIND -->" (KIND shell, python or package).

    readme-examples.py print KIND           prints the blocks of that kind, one after another
    readme-examples.py run KORVANE_BATCH    runs the shell and python blocks in a folder of
                                            their own that holds the files they read, with
                                            korvane-batch first on PATH and the korvane package
                                            on PYTHONPATH (as set by the caller); fails on the
                                            first block that fails
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

README = Path(__file__).resolve().parent.parent / "README.md"
MARK = re.compile(r"^<!-- example: (\w+) -->$")

# The files the examples read, as a user would have them.
FILES = {
    "grid.txt": "1755352.105,402336.0,38,N\n6251925.36,334416.39,56,S\n",
    "stations.csv": 'id,name,lat,lon\n7,"Smith, J",-33.86,151.21\n8,Tower,51.5,-0.12\n',
    "points-1.csv": "lat,lon\n-33.86,151.21\n45.0,3.0\n",
    "points-2.csv": "lat,lon\n40.7,-74.0\n15.875308,44.087808\n",
}


def blocks():
    """(kind, text) of every marked block, in order."""
    lines = README.read_text(encoding="utf-8").splitlines()
    found = []
    for number, line in enumerate(lines):
        mark = MARK.match(line)
        if not mark:
            continue
        at = number + 1
        while at < len(lines) and not lines[at].strip():
            at += 1
        code = []
        while at < len(lines) and (lines[at].startswith("    ") or not lines[at].strip()):
            code.append(lines[at][4:])
            at += 1
        found.append((mark.group(1), "\n".join(code).strip() + "\n"))
    return found


def run(batch):
    folder = Path(tempfile.mkdtemp(prefix="korvane-readme-"))
    try:
        for name, text in FILES.items():
            (folder / name).write_text(text, encoding="utf-8")
        environment = dict(os.environ)
        environment["PATH"] = str(Path(batch).resolve().parent) + os.pathsep + environment["PATH"]
        ran = 0
        for kind, code in blocks():
            if kind == "shell":
                command = ["bash", "-euo", "pipefail", "-c", code]
            elif kind == "python":
                command = ["/usr/bin/python3", "-c", code]
            else:
                continue
            result = subprocess.run(command, cwd=folder, env=environment, capture_output=True,
                                    text=True, timeout=240, check=False)
            if result.returncode != 0:
                sys.exit(f"FAIL: the README's {kind} example exits {result.returncode}:\n{code}\n"
                         f"{result.stdout}{result.stderr}")
            ran += 1
        print(f"{ran} README examples ran as written")
        if ran == 0:
            sys.exit("FAIL: no README example found")
    finally:
        shutil.rmtree(folder)


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "print":
        sys.stdout.write("".join(code for kind, code in blocks() if kind == sys.argv[2]))
    elif len(sys.argv) == 3 and sys.argv[1] == "run":
        run(sys.argv[2])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
