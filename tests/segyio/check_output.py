#!/usr/bin/env python3
"""Reads the SEG-Y files of obscut-batch with segyio, a reader that shares no code with ours.

Builds a small survey in a temporary folder (two recorder files and a shot table, written
here byte by byte), runs obscut-batch on it for all four channels and for channel 3 alone,
and checks through segyio every output file's trace count, trace length, sample interval,
field record numbers and samples against the recorder samples written here.

segyio 1.8.3 (Debian 12) is opened with endian='little', since our files are little-endian.
The survey stays within what that version reads well: fewer than 32768 samples per trace,
no file without traces, and neither the text header nor trace bytes 61-64 are read through
it.

Usage: check_output.py OBSCUT_BATCH
"""

import os
import struct
import subprocess
import sys
import tempfile

try:
    import segyio
except ImportError:
    sys.exit(
        f"segyio cannot be imported by {sys.executable}: install Debian's python3-segyio "
        "(scripts/install-deps.sh does)"
    )

SAMPLE_RATE = 100.0  # samples per second per channel
FRAMES = 300  # 3 s per recorder file
MIN_TIME = 0.0
MAX_TIME = 1.0
SAMPLES_PER_TRACE = 100  # (MAX_TIME - MIN_TIME) * SAMPLE_RATE
INTERVAL_US = 10000

# The two recorder files: name, start time, and the first sample of their channel 1.
RECORDINGS = [
    ("OBS00001.001", "05 Jan 96 12:00:00", 30000),
    ("OBS00002.001", "05 Jan 96 12:00:03", 50000),
]


def recorder_sample(file_index, frame, channel):
    """The unsigned 16-bit sample of a recorder file; many lie above 32767."""
    return (RECORDINGS[file_index][2] + 7 * frame + 1000 * channel) % 65536


def as_int16(unsigned):
    return unsigned - 65536 if unsigned >= 32768 else unsigned


def recorder_file(file_index):
    """A 512-byte header (little-endian fields, the start time as text), then big-endian
    frames of four channels."""
    header = bytearray(512)
    struct.pack_into("<h", header, 10, 2)  # bytes per sample
    struct.pack_into("<f", header, 32, SAMPLE_RATE)
    text = (RECORDINGS[file_index][1] + " segyio check").encode("ascii")
    header[192 : 192 + len(text)] = text
    frames = bytearray()
    for frame in range(FRAMES):
        for channel in range(4):
            frames += struct.pack(">H", recorder_sample(file_index, frame, channel))
    return bytes(header + frames)


# Shot lines: number, day, hour, minute, second, then y, x, range and water depth.
SHOT_TABLE = (
    "segyio check\n"
    "45.1234 -20.25\n"
    "1 2 3 4\n"
    "0.004\n"
    "5\n"
    "6\n"
    "shot day hour min sec y x range depth\n"
    "101 5 12 0 0.5 45.6 -20.3 1.5 1234.5\n"  # frames 50-149 of the first file
    "104 4 23 0 0.5 45.6 -20.3 1.5 1234.5\n"  # a day before both files: no trace
    "102 5 12 0 2.5 45.6 -20.3 1.5 1234.5\n"  # the first file's last 50, the second's first 50
    "103 5 12 0 5.5 45.6 -20.3 1.5 1234.5\n"  # the second file's last 50, then 50 zeros
)


def expected_traces(channel):
    """Field record number and samples (as int16) of every trace of one channel."""

    def frames(file_index, first, count):
        return [as_int16(recorder_sample(file_index, k, channel)) for k in range(first, first + count)]

    return [
        (101, frames(0, 50, 100)),
        (102, frames(0, 250, 50) + frames(1, 0, 50)),
        (103, frames(1, 250, 50) + [0] * 50),
    ]


def check_file(path, channel, problems):
    def expect(what, got, wanted):
        if got != wanted:
            problems.append(f"{os.path.basename(path)}: {what} is {got!r}, expected {wanted!r}")

    traces = expected_traces(channel)
    with segyio.open(path, "r", ignore_geometry=True, endian="little") as f:
        expect("trace count", f.tracecount, len(traces))
        expect("samples per trace", len(f.samples), SAMPLES_PER_TRACE)
        expect("sample interval", segyio.tools.dt(f), float(INTERVAL_US))
        expect("binary header sample interval", f.bin[segyio.BinField.Interval], INTERVAL_US)
        expect("binary header samples", f.bin[segyio.BinField.Samples], SAMPLES_PER_TRACE)
        expect("binary header format", f.bin[segyio.BinField.Format], 3)
        expect("binary header traces per record", f.bin[segyio.BinField.Traces], len(traces))
        for index, (record, samples) in enumerate(traces):
            header = f.header[index]
            expect(f"trace {index} field record", header[segyio.TraceField.FieldRecord], record)
            expect(
                f"trace {index} sequence number",
                header[segyio.TraceField.TRACE_SEQUENCE_LINE],
                index,
            )
            expect(
                f"trace {index} sample count",
                header[segyio.TraceField.TRACE_SAMPLE_COUNT],
                SAMPLES_PER_TRACE,
            )
            expect(
                f"trace {index} sample interval",
                header[segyio.TraceField.TRACE_SAMPLE_INTERVAL],
                INTERVAL_US,
            )
            got = [int(v) for v in f.trace[index]]
            expect(f"trace {index} length", len(got), len(samples))
            for j, (value, wanted) in enumerate(zip(got, samples)):
                if value != wanted:
                    expect(f"trace {index} sample {j} (the first that differs)", value, wanted)
                    break


def run_batch(batch, folder, output, channel, recorder_paths, problems):
    command = [
        batch,
        "--shot-table",
        os.path.join(folder, "shots.txt"),
        "--output",
        os.path.join(folder, output),
        "--min-time",
        str(MIN_TIME),
        "--max-time",
        str(MAX_TIME),
        "--channel",
        str(channel),
        # In reverse: the run orders the files by the number in their names.
        *reversed(recorder_paths),
    ]
    result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0:
        problems.append(
            f"obscut-batch --channel {channel} exited with {result.returncode}: {result.stderr}"
        )
        return False
    return True


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: check_output.py OBSCUT_BATCH")
    batch = sys.argv[1]
    problems = []
    with tempfile.TemporaryDirectory(prefix="obscut-segyio-") as folder:
        recorder_paths = []
        for index, (name, _, _) in enumerate(RECORDINGS):
            path = os.path.join(folder, name)
            with open(path, "wb") as out:
                out.write(recorder_file(index))
            recorder_paths.append(path)
        with open(os.path.join(folder, "shots.txt"), "w", encoding="ascii", newline="\n") as out:
            out.write(SHOT_TABLE)

        if run_batch(batch, folder, "all", 0, recorder_paths, problems):
            for channel in range(4):
                check_file(os.path.join(folder, f"allch{channel + 1}.sgy"), channel, problems)

        if run_batch(batch, folder, "single.sgy", 3, recorder_paths, problems):
            check_file(os.path.join(folder, "singlech3.sgy"), 2, problems)
            for other in (1, 2, 4):
                if os.path.exists(os.path.join(folder, f"singlech{other}.sgy")):
                    problems.append(f"channel 3 alone also wrote singlech{other}.sgy")

    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        return 1
    print(f"segyio {getattr(segyio, '__version__', '')} read every output file as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main())
