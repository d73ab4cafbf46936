#!/usr/bin/env python3
"""Runs obscut-batch on a hostile survey and prints its wall time and peak memory.

    hostile_survey.py --batch BUILD/src/batch/obscut-batch [--shots N] [--files K]
                      [--unrecognised-dates] [--keep DIR]

The survey: K recorder files (default 999, the most a run accepts) of 512 bytes each, a
header and no data, and a shot table of N shots (default 100000) that match nothing. Every
file starts on 5 January, after every shot of the table (1 January), so every shot examines
every file and passes it over. With --unrecognised-dates the files carry the month "jan"
instead, which is not recognised: every shot then logs a line for every file.

The survey is written into a temporary folder (or DIR with --keep) and removed afterwards.
The figures come from GNU time (/usr/bin/time, Debian's package "time"): a child started
from Python itself would report Python's memory as its own peak.
"""

import argparse
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

HEADER_SIZE = 512


def recorder_header(start_text):
    header = bytearray(HEADER_SIZE)
    struct.pack_into("<h", header, 10, 2)  # bytesPerSample
    struct.pack_into("<f", header, 32, 100.0)  # sampleRate
    text = (start_text + " hostile survey, a header without data").encode("ascii")
    header[192:192 + len(text)] = text
    return bytes(header)


def write_survey(folder, files, shots, unrecognised):
    header = recorder_header("05 jan 96 00:00:00" if unrecognised else "05 Jan 96 00:00:00")
    paths = []
    for number in range(1, files + 1):
        path = folder / f"OBS{number:05d}.001"
        path.write_bytes(header)
        paths.append(str(path))
    lines = ["Hostile survey: no shot matches a recorder file", "0 0", "0 0 0 0", "0", "0",
             "0", "shot day hh mm second y x range depth"]
    lines += [f"{shot} 1 {shot // 3600 % 24} {shot // 60 % 60} {shot % 60}.5 0 0 0 0"
              for shot in range(1, shots + 1)]
    table = folder / "shots.txt"
    table.write_text("\n".join(lines) + "\n")
    return paths, str(table)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--batch", required=True, help="the obscut-batch program")
    parser.add_argument("--files", type=int, default=999)
    parser.add_argument("--shots", type=int, default=100000)
    parser.add_argument("--unrecognised-dates", action="store_true")
    parser.add_argument("--keep", type=Path, help="write the survey here and keep it")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory(prefix="obscut-hostile-") as scratch:
        folder = args.keep or Path(scratch)
        folder.mkdir(parents=True, exist_ok=True)
        paths, table = write_survey(folder, args.files, args.shots, args.unrecognised_dates)
        output = folder / "out" / "line"
        output.parent.mkdir(exist_ok=True)
        figures = folder / "time.txt"
        command = ["/usr/bin/time", "-f", "%e %U %S %M", "-o", str(figures), args.batch,
                   "--shot-table", table, "--output", str(output), *paths]
        with open(folder / "stdout.txt", "wb") as out, open(folder / "stderr.txt", "wb") as err:
            status = subprocess.run(command, stdout=out, stderr=err).returncode
        elapsed, user, system, peak_kib = figures.read_text().split()[-4:]
        log = output.parent / ".tempOutAsciiInfo.txt"
        log_lines = log.read_bytes().count(b"\n") if log.exists() else 0
        print(f"{args.files} recorder files of {HEADER_SIZE} bytes, {args.shots} shots, "
              f"{'unrecognised' if args.unrecognised_dates else 'valid'} dates")
        print(f"exit status {status}: "
              f"{(folder / 'stdout.txt').read_text().strip()}"
              f"{(folder / 'stderr.txt').read_text().strip()}")
        print(f"wall time {elapsed} s, user {user} s, system {system} s, "
              f"peak memory {int(peak_kib) / 1024:.1f} MiB")
        print(f"log {log.stat().st_size if log.exists() else 0} bytes, {log_lines} lines")
    return 0


if __name__ == "__main__":
    sys.exit(main())
