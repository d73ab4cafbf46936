#!/usr/bin/env python3
"""Makes the seed corpora of the fuzz targets from tiny obscut-synth surveys.

    make_seeds.py --synth BUILD/tools/obscut-synth --out BUILD/fuzz-seeds

writes OUT/recorder_header_fuzzer, OUT/shot_table_fuzzer, OUT/whole_run_fuzzer and
OUT/number_scanner_fuzzer, one file per seed, replacing what an earlier call wrote. The
whole-run and number-scanner seeds follow the input layouts described at the top of
whole_run_fuzzer.cpp and number_scanner_fuzzer.cpp.
"""

import argparse
import shutil
import struct
import subprocess
import tempfile
from pathlib import Path

# Tiny surveys: a few seconds of recording at low rates, so a seed runs in a millisecond.
SURVEYS = [
    ["--files", "2", "--file-seconds", "4", "--sample-rate", "50", "--shot-interval", "1",
     "--gap", "0"],
    ["--files", "2", "--file-seconds", "3", "--sample-rate", "40", "--shot-interval", "0.7",
     "--gap", "1", "--start", "30 Dec 95 23:59:57"],
    ["--files", "2", "--file-seconds", "3", "--sample-rate", "64", "--shot-interval", "0.5",
     "--gap", "-1", "--start", "05 Jan 96 12:34:56", "--seed", "7"],
    ["--files", "1", "--file-seconds", "2", "--sample-rate", "100", "--shot-interval", "0.4",
     "--start", "28 Feb 97 23:59:59"],
]

HEADER_SIZE = 512


def run_synth(synth, options, folder):
    subprocess.run([synth, "--out", str(folder), *options], check=True,
                   stdout=subprocess.DEVNULL)
    recorders = sorted(folder.glob("OBS*"))
    return [p.read_bytes() for p in recorders], (folder / "shots.txt").read_bytes()


def whole_run_input(recorders, table, channel=0, min_eighths=0, length_128ths=127,
                    numbers=(1, 2)):
    """Settings, one or two recorder files and a shot table in the whole-run layout."""
    flags = (1 if len(recorders) > 1 else 0) | (numbers[0] & 7) << 1 | (numbers[1] & 7) << 4
    data = bytes([channel, min_eighths & 0xFF, length_128ths & 0xFF, flags])
    for recorder in recorders[:2]:
        data += struct.pack("<H", len(recorder)) + recorder
    return data + table


def with_start_time(recorder, text):
    return recorder[:192] + text.encode("latin-1") + recorder[192 + len(text):]


def with_field(recorder, offset, fmt, value):
    return recorder[:offset] + struct.pack(fmt, value) + recorder[offset + struct.calcsize(fmt):]


def edge_recorders(recorder):
    """Hand-made variations of a good recorder file, named by what they change."""
    return {
        "month-in-small-letters": with_start_time(recorder, "29 feb 96"),
        "negative-day": with_start_time(recorder, "-5 Jan 96"),
        "one-digit-hour": with_start_time(recorder, "05 Jan 96 7:30:00 "),
        "letters-for-hour": with_start_time(recorder, "05 Jan 96 xx:30:00"),
        "nul-in-start-time": with_start_time(recorder, "0\0 J\0n 9\0 1\0:0\0:0\0"),
        "rate-zero": with_field(recorder, 32, "<f", 0.0),
        "rate-negative": with_field(recorder, 32, "<f", -50.0),
        "rate-nan": with_field(recorder, 32, "<f", float("nan")),
        "rate-infinite": with_field(recorder, 32, "<f", float("inf")),
        "rate-tiny": with_field(recorder, 32, "<f", 1e-30),
        "four-bytes-per-sample": with_field(recorder, 10, "<h", 4),
        "zero-bytes-per-sample": with_field(recorder, 10, "<h", 0),
        "negative-bytes-per-sample": with_field(recorder, 10, "<h", -2),
        "header-only": recorder[:HEADER_SIZE],
        "short-header": recorder[:HEADER_SIZE - 1],
        "partial-last-frame": recorder[:HEADER_SIZE + 8 * 3 + 5],
    }


SHOT_TABLE_EDGES = {
    "six-lines": b"t\n1 2\n1 2 3 4\n5\n6\n7\n",
    "seven-lines": b"t\n1 2\n1 2 3 4\n5\n6\n7\n8\n",
    "word-as-shot": b"t\n\n\n\n\n\n\nshot 1 2 3\n",
    "few-values-and-blank-lines": b"t\n\n\n\n\n\n\n1207 187 14\n   \n\n40000 1 2 3 4.5\n",
    "long-line": b"t\n" + b"1" * 450 + b"\n\n\n\n\n\n" + b"7 " * 250 + b"\n",
    "odd-numbers": (b"t\n0x1p3 -inf\n99999999999 -9 +7 0\nnan(abc)\n2147483648\n-\n\n"
                    b"1 2 3 4 1e 1.5e+ 0x infinity nan(\n"
                    b"1 2 3 4 1e-50 1e50 0x1.8p1 .5 -.\n"),
    "carriage-returns-and-nul": b"t\r\n1 2\r\n\r\n\r\n\r\n\r\n\r\n1 60 0 0 1\0 2\r\n",
}


# Texts for the number scanner, each after the byte that makes the directives "%d" (bit 0)
# or "%f" (bit 1): a shot line's four integers and then floats, or floats only.
SHOT_LINE_DIRECTIVES = 0xF0
NUMBER_EDGES = [
    (0xFF, b"1e 1.5e+ -3.25e- 2E5 .5 5. -.5e-3"),
    (0xFF, b"3.4028235e38 3.4028236e38 1e39 1e-45 7e-46 1.4e-45 1e-400 -0"),
    (0xFF, b"0." + b"0" * 60 + b"1 " + b"9" * 60 + b".5"),
    (0x00, b"9223372036854775807 9223372036854775808 -9223372036854775809 +0 -x"),
    (0x55, b"12 12.5 -7 +.25 99999999999999999999 1e3 4 4"),
    (0xF0, b"\t 40000 60\v23 -59 59.999 1\0 2 3"),
]


def write(folder, name, data):
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--synth", required=True, help="the obscut-synth program")
    parser.add_argument("--out", required=True, type=Path, help="folder for the corpora")
    args = parser.parse_args()

    headers = args.out / "recorder_header_fuzzer"
    tables = args.out / "shot_table_fuzzer"
    runs = args.out / "whole_run_fuzzer"
    numbers = args.out / "number_scanner_fuzzer"
    for folder in (headers, tables, runs, numbers):
        shutil.rmtree(folder, ignore_errors=True)

    with tempfile.TemporaryDirectory() as scratch:
        for index, options in enumerate(SURVEYS):
            recorders, table = run_synth(args.synth, options, Path(scratch) / str(index))
            for number, recorder in enumerate(recorders):
                write(headers, f"synth{index}-file{number}", recorder[:HEADER_SIZE + 64])
            write(tables, f"synth{index}", table)
            for line_number, line in enumerate(table.splitlines()[7:10]):
                write(numbers, f"synth{index}-shot{line_number}",
                      bytes([SHOT_LINE_DIRECTIVES]) + line)
            write(runs, f"synth{index}-all-channels", whole_run_input(recorders, table))
            write(runs, f"synth{index}-channel-2-early-window",
                  whole_run_input(recorders, table, channel=2, min_eighths=-4,
                                  length_128ths=64))
            write(runs, f"synth{index}-files-reversed",
                  whole_run_input(recorders, table, channel=3, numbers=(5, 1)))
            if index == 0:
                for name, edge in edge_recorders(recorders[0]).items():
                    write(headers, name, edge[:HEADER_SIZE + 64])
                    write(runs, name, whole_run_input([edge, *recorders[1:]], table, channel=1))
                write(runs, "window-upside-down",
                      whole_run_input(recorders, table, min_eighths=8, length_128ths=-100))
                write(runs, "equal-file-numbers",
                      whole_run_input(recorders, table, numbers=(3, 3)))
    for name, table in SHOT_TABLE_EDGES.items():
        write(tables, name, table)
    for number, (directives, text) in enumerate(NUMBER_EDGES):
        write(numbers, f"edge{number}", bytes([directives]) + text)


if __name__ == "__main__":
    main()
