#!/usr/bin/env python3
"""Times the command-line import on two synthetic SICE folders, the second ten times the first.
For each it prints, from the same run: the import's time (best of --runs, process start
included), the floor (reading the files the import reads and writing as many bytes as the six
tables it writes, one fsync per table), their ratio, the read and write system calls per table
row written (strace -c -f) and the peak memory, and the size of the largest table. Then the ratio
of the time per input line, large over small (at most 1.1 when the import is linear).
Uses the program in $BUILD_DIR (default build)."""

import argparse
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bench_support as bench  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLES = ["ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"]


def measure(cli, scratch, schools, runs):
    folder = os.path.join(scratch, f"sice-{schools}")
    work = os.path.join(scratch, f"work-{schools}")
    os.makedirs(work)
    lines = int(subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "make-sice-folder.py"),
                                folder, "--schools", str(schools)],
                               check=True, capture_output=True, text=True).stdout)
    command = [cli, "import", "--sice", folder, "--work", work]
    seconds, rss, cpu = bench.best_of(command, runs)
    tables = [os.path.join(work, f"{name}.DBF") for name in TABLES]
    # GRUPOST is read back by the assignments step: it counts as input too.
    inputs = [os.path.join(folder, f) for f in sorted(os.listdir(folder))] + [tables[3]]
    floor = bench.floor_seconds(inputs, tables, runs)
    rows = sum(bench.dbf_records(t) for t in tables)
    largest = max(os.path.getsize(t) for t in tables)
    calls = bench.io_calls(command)
    return dict(schools=schools, lines=lines, rows=rows, seconds=seconds, floor=floor, calls=calls,
                rss=rss, largest=largest, cpu=cpu)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--schools", type=int, default=32, help="schools of the small folder")
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    cli = os.path.join(ROOT, os.environ.get("BUILD_DIR", "build"), "cli", "transTalvorSice-cli")
    if not os.access(cli, os.X_OK):
        sys.exit(f"No existe {cli}: compile primero (scripts/setup.sh)")
    with tempfile.TemporaryDirectory() as scratch:
        results = [measure(cli, scratch, s, args.runs) for s in (args.schools, args.schools * 10)]
    print(f"{'centros':>8} {'lineas':>9} " + bench.summary_header() + f" {'mayor tabla MB':>15}")
    for r in results:
        print(f"{r['schools']:>8} {r['lines']:>9} "
              + bench.summary_line(r['rows'], r['seconds'], r['cpu'], r['floor'], r['calls'], r['rss'])
              + f" {r['largest'] / 1e6:>15.1f}")
    for r in results:
        if r["calls"]:
            print(f"{r['schools']} centros, llamadas: "
                  + ", ".join(f"{k} {v}" for k, v in sorted(r["calls"].items())))
    small, large = (r["seconds"] / r["lines"] for r in results)
    print(f"razon (us por linea, grande / pequeno): {large / small:.2f}")


if __name__ == "__main__":
    main()
