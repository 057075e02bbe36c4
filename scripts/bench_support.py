"""What the job benchmarks share: timing a command with its peak memory, the floor of a job
(reading its input bytes and writing its output bytes, one fsync per output file), counting its
system calls with strace -c -f, and reading dBase tables."""

import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time

IO_CALLS = ("read", "write", "pread64", "pwrite64", "readv", "writev", "preadv", "pwritev")


ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def built(relative):
    """A program of the build in $BUILD_DIR (default build), or exit saying how to build it."""
    path = os.path.join(ROOT, os.environ.get("BUILD_DIR", "build"), relative)
    if not os.access(path, os.X_OK):
        sys.exit(f"No existe {path}: compile primero (cmake --build build --target "
                 f"{os.path.basename(path)})")
    return path


def run_measured(command):
    """Seconds of wall time, peak resident memory (KB) and CPU seconds of one run."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        raise SystemExit(f"fallo: {' '.join(command)}")
    return elapsed, usage.ru_maxrss, usage.ru_utime + usage.ru_stime


def side_by_side(commands, runs):
    """Each command run `runs` times, taking turns, so that a change in the machine's load falls
    on all of them alike. For each name: best wall time, peak memory and best CPU time (on a
    shared machine the wall time also counts waiting for a core, the CPU time does not)."""
    results = {name: [] for name in commands}
    for _ in range(runs):
        for name, command in commands.items():
            results[name].append(run_measured(command))
    return {name: (min(r[0] for r in rs), max(r[1] for r in rs), min(r[2] for r in rs))
            for name, rs in results.items()}


def floor_command(scratch, inputs, outputs):
    """The floor of a job as a native process (bench/JobFloor.cpp): start, read every input file
    whole into one buffer, write as many bytes as each output file holds into `scratch`, syncing
    each file and then the folder, as a job's replacement of a file does."""
    return ([built(os.path.join("bench", "JobFloor")), scratch] + list(inputs) + ["--"]
            + [str(os.path.getsize(path)) for path in outputs])


def differences(pairs, normalize=None):
    """Each pair of files (this build's, the reference's) that differ, with the first byte where
    they do; `normalize` takes out what may differ between two runs (time stamps)."""
    found = []
    for mine, theirs in pairs:
        with open(mine, "rb") as f:
            a = f.read()
        with open(theirs, "rb") as f:
            b = f.read()
        if normalize:
            a, b = normalize(a), normalize(b)
        if a == b:
            continue
        at = next((i for i in range(min(len(a), len(b))) if a[i] != b[i]), min(len(a), len(b)))
        found.append(f"{mine}: difiere de la referencia en el byte {at} "
                     f"({len(a)} bytes, la referencia {len(b)})")
    return found


def report_differences(differences, which, same):
    """Prints the outputs that differ from the reference's and fails, or says they are the same."""
    if differences:
        print(which)
        for difference in differences:
            print("  " + difference)
        sys.exit(1)
    print(same)


def io_calls(command):
    """Read and write system calls of one run (strace -c -f), or None without strace."""
    if shutil.which("strace") is None:
        return None
    with tempfile.NamedTemporaryFile(mode="r", suffix=".strace") as report:
        subprocess.run(["strace", "-c", "-f", "-o", report.name] + command, check=True,
                       stdout=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        calls = {}
        for line in report.read().splitlines():
            fields = line.split()
            if len(fields) >= 5 and fields[-1] in IO_CALLS and re.fullmatch(r"\d+", fields[3]):
                calls[fields[-1]] = int(fields[3])
        return calls


def dbf_fields(data):
    header_length, record_length = struct.unpack_from("<HH", data, 8)
    fields, offset, at = [], 1, 32
    while at < header_length and data[at] != 0x0D:
        name = data[at:at + 11].split(b"\0")[0].decode("cp1252").strip()
        width = data[at + 16]
        fields.append((name, offset, width))
        offset += width
        at += 32
    return header_length, record_length, fields


def dbf_records(path):
    with open(path, "rb") as f:
        return struct.unpack_from("<I", f.read(8), 4)[0]


def dbf_column(path, column):
    """The trimmed values of one column, in stored order, deleted rows left out."""
    with open(path, "rb") as f:
        data = f.read()
    count = struct.unpack_from("<I", data, 4)[0]
    header_length, record_length, fields = dbf_fields(data)
    _, offset, width = next(f for f in fields if f[0] == column)
    values = []
    for i in range(count):
        at = header_length + i * record_length
        if data[at:at + 1] != b"*":
            values.append(data[at + offset:at + offset + width].decode("cp1252").strip())
    return values


def summary_header():
    return (f"{'programa':>10} {'filas':>9} {'segundos':>9} {'CPU s':>6} {'suelo s':>8} {'razon':>6} "
            f"{'us/fila':>8} {'llamadas':>9} {'llam/fila':>9} {'RSS MB':>7}")


def summary_line(name, rows, seconds, cpu, floor, calls, rss_kb):
    total = sum(calls.values()) if calls is not None else None
    per_row = f"{total / rows:9.4f}" if total is not None else f"{'-':>9}"
    total_text = f"{total:>9}" if total is not None else f"{'-':>9}"
    return (f"{name:>10} {rows:>9} {seconds:>9.3f} {cpu:>6.3f} {floor:>8.3f} {seconds / floor:>6.2f} "
            f"{seconds / rows * 1e6:>8.3f} {total_text} {per_row} {rss_kb / 1024:>7.1f}")
