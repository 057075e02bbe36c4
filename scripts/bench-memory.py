#!/usr/bin/env python3
"""Peak memory of the command line's import, export and check against the size of one SICE file
that grows, in two shapes: a file of bare line feeds (every byte a line, the worst case for
anything kept per line) and a file of ordinary lines. The other files are the example school's.
For each it prints the peak resident memory (KB, as the system counts it), the same less the run
on the plain example school, and that excess over the file's size: reading costs about the
file's size, so the excess stays near 1 whatever the shape (at most about 2).
Uses the program in $BUILD_DIR (default build)."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EXAMPLES = os.path.join(ROOT, "examples")


def peak_kb(command):
    """Peak resident memory of one run, in KB; exit status 0 or 1 (a check with findings)."""
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               stdin=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    code = os.waitstatus_to_exitcode(status)
    if code not in (0, 1):
        raise SystemExit(f"fallo ({code}): {' '.join(command)}")
    return usage.ru_maxrss


def school(scratch, name):
    """A copy of the example school and a work folder with its tables and SOLUC."""
    sice = os.path.join(scratch, name, "sice")
    work = os.path.join(scratch, name, "work")
    shutil.copytree(os.path.join(EXAMPLES, "sice"), sice)
    os.makedirs(work)
    return sice, work


def write_file(path, megabytes, shape):
    size = megabytes * 1000 * 1000
    with open(path, "wb") as f:
        if shape == "lf":
            block = b"\n" * (1 << 20)
        else:
            line = b"1JPG P\xe9rez Garc\xeda, Juan                 MAT  Matem\xe1ticas      \r\n"
            block = line * ((1 << 20) // len(line))
        written = 0
        while written < size:
            part = block[: size - written]
            f.write(part)
            written += len(part)


def runs(cli, sice, work):
    return {
        "import": [cli, "import", "--sice", sice, "--work", work],
        "export": [cli, "export", "--sice", sice, "--work", work],
        "check": [cli, "check", "--sice", sice, "--work", work],
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--megabytes", type=int, nargs="+", default=[30, 100])
    args = parser.parse_args()
    cli = os.path.join(ROOT, os.environ.get("BUILD_DIR", "build"), "cli", "transTalvorSice-cli")
    if not os.access(cli, os.X_OK):
        sys.exit(f"No existe {cli}: compile primero (scripts/setup.sh)")
    with tempfile.TemporaryDirectory() as scratch:
        sice, work = school(scratch, "base")
        subprocess.run(runs(cli, sice, work)["import"], check=True, capture_output=True)
        shutil.copy(os.path.join(EXAMPLES, "SOLUC.DBF"), work)
        base = {job: peak_kb(command) for job, command in runs(cli, sice, work).items()}
        print(f"{'archivo':<32} {'MB':>5} {'orden':>7} {'pico KB':>9} {'exceso KB':>10} "
              f"{'exceso/tamaño':>14}")
        for job, kb in base.items():
            print(f"{'(ejemplo)':<32} {'':>5} {job:>7} {kb:>9} {'':>10} {'':>14}")
        # sice_asignat.txt is read line by line by the import and whole by the export;
        # sice_prof.txt line by line; sice_sesiones.txt whole by both.
        for name, jobs in (("sice_asignat.txt", ("import", "export", "check")),
                           ("sice_prof.txt", ("import", "check")),
                           ("sice_sesiones.txt", ("export", "check"))):
            for shape in ("lf", "lines"):
                for mb in args.megabytes:
                    case = f"{name}-{shape}-{mb}"
                    s, w = school(scratch, case)
                    subprocess.run(runs(cli, s, w)["import"], check=True, capture_output=True)
                    shutil.copy(os.path.join(EXAMPLES, "SOLUC.DBF"), w)
                    write_file(os.path.join(s, name), mb, shape)
                    size_kb = os.path.getsize(os.path.join(s, name)) / 1024
                    for job in jobs:
                        kb = peak_kb(runs(cli, s, w)[job])
                        excess = kb - base[job]
                        label = f"{name} ({'LF solos' if shape == 'lf' else 'líneas'})"
                        print(f"{label:<32} {mb:>5} {job:>7} {kb:>9} {excess:>10} "
                              f"{excess / size_kb:>14.2f}")
                    shutil.rmtree(os.path.join(scratch, case))


if __name__ == "__main__":
    main()
