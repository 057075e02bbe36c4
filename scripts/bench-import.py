#!/usr/bin/env python3
"""Times the command-line import on two synthetic SICE folders, the second ten times the first
(32 and 320 schools by default; 320 is the district). For each it prints, from one run in which
the programs take turns: the import's time (best of --runs, process start included), its CPU
time, the floor (bench/JobFloor: start a native process, read every file the import reads and
write as many bytes as the six tables, syncing each table and the folder after it, as the import
does), their ratio, the time per table row, the read and write system
calls per row (strace -c -f) and the peak memory. Then the ratio of the time per input line, large over small
(at most 1.1 when the import is linear).

--reference CLI runs an earlier build of the program on the same folders, and on the example
school, side by side, and compares every table the two write byte for byte: any difference is
reported and makes the script fail.
Uses the programs in $BUILD_DIR (default build)."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bench_support as bench  # noqa: E402

ROOT = bench.ROOT
TABLES = ["ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"]


def import_command(cli, folder, work):
    os.makedirs(work, exist_ok=True)
    return [cli, "import", "--sice", folder, "--work", work]


def table_paths(work):
    return [os.path.join(work, f"{name}.DBF") for name in TABLES]


def compare(work, reference_work):
    return bench.differences(zip(table_paths(work), table_paths(reference_work)))


def measure(programs, scratch, folder, runs):
    """Times every program of `programs` (name to CLI) and the floor on `folder`, taking turns."""
    commands = {name: import_command(cli, folder, os.path.join(scratch, f"work-{name}"))
                for name, cli in programs.items()}
    for command in commands.values():  # a first run writes the tables the floor reads and sizes
        bench.run_measured(command)
    work = os.path.join(scratch, "work-este")
    tables = table_paths(work)
    # GRUPOST is read back by the assignments step: it counts as input too.
    inputs = [os.path.join(folder, f) for f in sorted(os.listdir(folder))] + [tables[3]]
    floor_scratch = os.path.join(scratch, "floor")
    os.makedirs(floor_scratch, exist_ok=True)
    commands["suelo"] = bench.floor_command(floor_scratch, inputs, tables)
    timed = bench.side_by_side(commands, runs)
    rows = sum(bench.dbf_records(t) for t in tables)
    results = {}
    for name in programs:
        seconds, rss, cpu = timed[name]
        results[name] = dict(rows=rows, seconds=seconds, cpu=cpu, rss=rss, floor=timed["suelo"][0],
                             calls=bench.io_calls(commands[name]))
    differences = [d for name in programs if name != "este"
                   for d in compare(work, os.path.join(scratch, f"work-{name}"))]
    return results, max(os.path.getsize(t) for t in tables), differences


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--schools", type=int, default=32, help="schools of the small folder")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--reference", help="an earlier transTalvorSice-cli to compare with")
    args = parser.parse_args()
    programs = {"este": bench.built(os.path.join("cli", "transTalvorSice-cli"))}
    if args.reference:
        if not os.access(args.reference, os.X_OK):
            sys.exit(f"No existe {args.reference}")
        programs["referencia"] = os.path.abspath(args.reference)
    differences = []
    sizes = []
    with tempfile.TemporaryDirectory() as scratch:
        if args.reference:
            example = os.path.join(scratch, "example")
            for name in programs:
                bench.run_measured(import_command(programs[name], os.path.join(ROOT, "examples", "sice"),
                                                  os.path.join(example, name)))
            differences += compare(os.path.join(example, "este"), os.path.join(example, "referencia"))
        for schools in (args.schools, args.schools * 10):
            folder = os.path.join(scratch, f"sice-{schools}")
            lines = int(subprocess.run(
                [sys.executable, os.path.join(ROOT, "scripts", "make-sice-folder.py"), folder,
                 "--schools", str(schools)], check=True, capture_output=True, text=True).stdout)
            size_scratch = os.path.join(scratch, f"run-{schools}")
            results, largest, found = measure(programs, size_scratch, folder, args.runs)
            sizes.append((schools, lines, results, largest))
            differences += found
            shutil.rmtree(size_scratch)
    print(f"{'centros':>8} {'lineas':>8} " + bench.summary_header() + f" {'mayor tabla MB':>15}")
    for schools, lines, results, largest in sizes:
        for name, r in results.items():
            print(f"{schools:>8} {lines:>8} "
                  + bench.summary_line(name, r["rows"], r["seconds"], r["cpu"], r["floor"],
                                       r["calls"], r["rss"])
                  + f" {largest / 1e6:>15.1f}")
    for schools, _, results, _ in sizes:
        calls = results["este"]["calls"]
        if calls:
            print(f"{schools} centros, llamadas: "
                  + ", ".join(f"{k} {v}" for k, v in sorted(calls.items())))
    small, large = (results["este"]["seconds"] / lines for _, lines, results, _ in sizes)
    print(f"razon (us por linea, grande / pequeno): {large / small:.2f}")
    if args.reference:
        bench.report_differences(differences, "Tablas distintas de las de la referencia:",
                                 "Todas las tablas son byte a byte las de la referencia "
                                 "(ejemplo y las dos carpetas sinteticas).")


if __name__ == "__main__":
    main()
