#!/usr/bin/env python3
"""Times the command-line import on two synthetic SICE folders, the second ten times the first,
and prints the time per input line of each and their ratio (near 1 when the import is linear).
The best of --runs runs counts. Uses the program in $BUILD_DIR (default build)."""

import argparse
import os
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def measure(cli, scratch, schools, runs):
    folder = os.path.join(scratch, f"sice-{schools}")
    work = os.path.join(scratch, f"work-{schools}")
    os.makedirs(work)
    lines = int(subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "make-sice-folder.py"),
                                folder, "--schools", str(schools)],
                               check=True, capture_output=True, text=True).stdout)
    best = None
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run([cli, "import", "--sice", folder, "--work", work], check=True,
                       stdout=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    return lines, best


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--schools", type=int, default=20, help="schools of the small folder")
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    cli = os.path.join(ROOT, os.environ.get("BUILD_DIR", "build"), "cli", "transTalvorSice-cli")
    if not os.access(cli, os.X_OK):
        sys.exit(f"No existe {cli}: compile primero (scripts/setup.sh)")
    with tempfile.TemporaryDirectory() as scratch:
        rows = [(s,) + measure(cli, scratch, s, args.runs) for s in (args.schools, args.schools * 10)]
    print(f"{'centros':>8} {'lineas':>10} {'segundos':>10} {'us por linea':>14}")
    for schools, lines, seconds in rows:
        print(f"{schools:>8} {lines:>10} {seconds:>10.3f} {seconds * 1e6 / lines:>14.2f}")
    small, large = (r[2] / r[1] for r in rows)
    print(f"razon (us por linea, grande / pequeno): {large / small:.2f}")


if __name__ == "__main__":
    main()
