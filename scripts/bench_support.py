"""What the job benchmarks share: timing a command with its peak memory, the floor of a job
(reading its input bytes and writing its output bytes, one fsync per output file), counting its
system calls with strace -c -f, and reading dBase tables."""

import os
import re
import shutil
import struct
import subprocess
import tempfile
import time

IO_CALLS = ("read", "write", "pread64", "pwrite64", "readv", "writev", "preadv", "pwritev")


def run_measured(command):
    """Seconds of wall time, peak resident memory (KB) and CPU seconds of one run."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        raise SystemExit(f"fallo: {' '.join(command)}")
    return elapsed, usage.ru_maxrss, usage.ru_utime + usage.ru_stime


def best_of(command, runs):
    """Best wall time, peak memory and best CPU time of the runs: on a shared machine the wall
    time also counts waiting for a core, the CPU time does not."""
    results = [run_measured(command) for _ in range(runs)]
    return min(r[0] for r in results), max(r[1] for r in results), min(r[2] for r in results)


def floor_seconds(inputs, outputs, runs):
    """Best time to read every input file whole and write as many bytes as each output file
    holds into a scratch file, with one fsync per output file."""
    sizes = [os.path.getsize(path) for path in outputs]
    best = None
    with tempfile.TemporaryDirectory(dir=os.path.dirname(os.path.abspath(outputs[0]))) as scratch:
        for _ in range(runs):
            start = time.perf_counter()
            for path in inputs:
                with open(path, "rb", buffering=0) as f:
                    while f.read(1 << 20):
                        pass
            for i, size in enumerate(sizes):
                fd = os.open(os.path.join(scratch, f"out{i}"), os.O_WRONLY | os.O_CREAT | os.O_TRUNC)
                block = b"x" * min(size, 1 << 20)
                left = size
                while left > 0:
                    left -= os.write(fd, block[:left])
                os.fsync(fd)
                os.close(fd)
            elapsed = time.perf_counter() - start
            best = elapsed if best is None else min(best, elapsed)
    return best


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
    return (f"{'filas':>10} {'segundos':>9} {'CPU s':>6} {'suelo s':>8} {'razon':>6} "
            f"{'llamadas':>9} {'llam/fila':>9} {'RSS MB':>7}")


def summary_line(rows, seconds, cpu, floor, calls, rss_kb):
    total = sum(calls.values()) if calls is not None else None
    per_row = f"{total / rows:9.4f}" if total is not None else f"{'-':>9}"
    total_text = f"{total:>9}" if total is not None else f"{'-':>9}"
    return (f"{rows:>10} {seconds:>9.3f} {cpu:>6.3f} {floor:>8.3f} {seconds / floor:>6.2f} {total_text} "
            f"{per_row} {rss_kb / 1024:>7.1f}")
