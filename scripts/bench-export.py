#!/usr/bin/env python3
"""Times the command-line export over generated SOLUC tables of --rows and ten times as many
rows. The other work tables come from importing a synthetic district (make-sice-folder.py);
SOLUC names their groups, subjects and rooms, one row in fifty a code they do not know. For each
size it prints, from the same run: the export's time (best of --runs, process start included),
the floor (bench/JobFloor: start a native process, read SOLUC, the four tables it looks codes
up in and the two SICE files it reads, write as many bytes as SICE_HORARIO.TXT and sync it and
its folder, as the export does), their ratio, the time per row, the read and write system
calls per SOLUC row (strace -c -f) and the peak memory. Then the ratio of the time per row,
large over small (at most 1.1 when the export is linear).

--reference CLI runs an earlier build on the same tables, side by side, and compares the two
SICE_HORARIO.TXT byte for byte but for the time stamps of the header and trailer lines.
Uses the programs in $BUILD_DIR (default build)."""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bench_support as bench  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FIELDS = [("DIA", "N", 2), ("HORA", "N", 2), ("PROF", "C", 6), ("CODGRUPO", "C", 10),
          ("TAREA", "C", 6), ("ASIG", "C", 6), ("AULA", "C", 10), ("SESION", "N", 8)]


def write_soluc(path, rows, groups, subjects, rooms, teachers):
    """SOLUC as the host writes it: dBase III, one record per lesson."""
    record_length = 1 + sum(width for _, _, width in FIELDS)
    header_length = 32 + 32 * len(FIELDS) + 1
    header = bytearray(32)
    header[0] = 0x03
    header[1:4] = bytes([124, 9, 5])
    struct.pack_into("<IHH", header, 4, rows, header_length, record_length)
    for name, kind, width in FIELDS:
        descriptor = bytearray(32)
        descriptor[0:len(name)] = name.encode()
        descriptor[11] = ord(kind)
        descriptor[16] = width
        header += descriptor
    header += b"\x0D"

    def field(value, width, right=False):
        value = value[:width]
        return value.rjust(width) if right else value.ljust(width)

    with open(path, "wb") as out:
        out.write(header)
        chunk = []
        for i in range(rows):
            group = "X" + groups[i % len(groups)] if i % 50 == 0 else groups[i % len(groups)]
            subject = "ZZZ" if i % 50 == 1 else subjects[i % len(subjects)]
            room = "Y" + rooms[i % len(rooms)] if i % 50 == 2 else rooms[i % len(rooms)]
            chunk.append(" " + field(str(i % 5 + 1), 2, True) + field(str(i // 5 % 6 + 1), 2, True)
                         + field(teachers[i % len(teachers)], 6) + field(group, 10)
                         + field(subject, 6) + field(subjects[i % len(subjects)], 6)
                         + field(room, 10) + field(str(i % 10**8), 8, True))
            if len(chunk) == 10000:
                out.write("".join(chunk).encode("cp1252"))
                chunk = []
        out.write("".join(chunk).encode("cp1252"))
        out.write(b"\x1A")


def stamps_out(data):
    """The file without the time stamps of its header and trailer (columns 60-71)."""
    lines = data.split(b"\r\n")
    return b"\r\n".join(line[:59] + line[71:] if line[:1] in (b"0", b"9") else line
                         for line in lines)


def measure(programs, district, scratch, rows, runs):
    """Times every program (name to CLI) and the floor on one SOLUC, taking turns. Each program
    writes SICE_HORARIO.TXT into its own copy of the SICE folder."""
    sice, work = district
    soluc = os.path.join(work, "SOLUC.DBF")
    write_soluc(soluc, rows, bench.dbf_column(os.path.join(work, "GRUPOST.DBF"), "ABREV"),
                bench.dbf_column(os.path.join(work, "ASIGNOMT.DBF"), "COD"),
                bench.dbf_column(os.path.join(work, "AULAT.DBF"), "ABREV"),
                bench.dbf_column(os.path.join(work, "PROFT.DBF"), "ABREV"))
    folders = {}
    for name in programs:
        folders[name] = os.path.join(scratch, f"sice-{name}-{rows}")
        shutil.copytree(sice, folders[name])
    commands = {name: [cli, "export", "--sice", folders[name], "--work", work]
                for name, cli in programs.items()}
    for command in commands.values():  # the first run writes the file the floor sizes
        bench.run_measured(command)
    output = os.path.join(folders["este"], "SICE_HORARIO.TXT")
    inputs = [soluc] + [os.path.join(work, f"{t}.DBF")
                        for t in ("GRUPOST", "AULAT", "ASIGNOMT", "DIASHORAST")] + \
             [os.path.join(sice, "sice_asignat.txt"), os.path.join(sice, "sice_sesiones.txt")]
    floor_scratch = os.path.join(scratch, "floor")
    os.makedirs(floor_scratch, exist_ok=True)
    commands["suelo"] = bench.floor_command(floor_scratch, inputs, [output])
    timed = bench.side_by_side(commands, runs)
    results = {}
    for name in programs:
        seconds, rss, cpu = timed[name]
        results[name] = dict(rows=rows, seconds=seconds, cpu=cpu, rss=rss, floor=timed["suelo"][0],
                             calls=bench.io_calls(commands[name]))
    differences = bench.differences(
        [(output, os.path.join(folders[name], "SICE_HORARIO.TXT")) for name in programs
         if name != "este"], stamps_out)
    for folder in folders.values():
        shutil.rmtree(folder)
    return results, differences


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--rows", type=int, default=100000, help="SOLUC rows of the small run")
    parser.add_argument("--schools", type=int, default=25, help="schools of the district")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--reference", help="an earlier transTalvorSice-cli to compare with")
    args = parser.parse_args()
    cli = bench.built(os.path.join("cli", "transTalvorSice-cli"))
    programs = {"este": cli}
    if args.reference:
        if not os.access(args.reference, os.X_OK):
            sys.exit(f"No existe {args.reference}")
        programs["referencia"] = os.path.abspath(args.reference)
    with tempfile.TemporaryDirectory() as scratch:
        sice, work = os.path.join(scratch, "sice"), os.path.join(scratch, "work")
        os.makedirs(work)
        subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "make-sice-folder.py"), sice,
                        "--schools", str(args.schools)], check=True, capture_output=True)
        subprocess.run([cli, "import", "--sice", sice, "--work", work], check=True,
                       stdout=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        sizes, differences = [], []
        for rows in (args.rows, args.rows * 10):
            results, found = measure(programs, (sice, work), scratch, rows, args.runs)
            sizes.append(results)
            differences += found
    print(bench.summary_header())
    for results in sizes:
        for name, r in results.items():
            print(bench.summary_line(name, r["rows"], r["seconds"], r["cpu"], r["floor"], r["calls"],
                                     r["rss"]))
    for results in sizes:
        r = results["este"]
        if r["calls"]:
            print(f"{r['rows']} filas, llamadas: "
                  + ", ".join(f"{k} {v}" for k, v in sorted(r["calls"].items())))
    small, large = (results["este"]["seconds"] / results["este"]["rows"] for results in sizes)
    print(f"razon (us por fila, grande / pequeno): {large / small:.2f}")
    if args.reference:
        bench.report_differences(
            differences, "SICE_HORARIO.TXT distinto del de la referencia (sin las horas de escritura):",
            "SICE_HORARIO.TXT es byte a byte el de la referencia, salvo las horas de escritura.")


if __name__ == "__main__":
    main()
