#!/usr/bin/env python3
"""Runs obscut-batch and the reference model of the conversion rules on generated surveys
and compares every byte they produce.

For every seed a survey is generated in a fresh temporary folder (random_survey.py), the
model computes what the run must leave behind (reference_model.py), then obscut-batch runs
on the same files. Compared are the exit status, standard output, standard error and every
file in the folder afterwards: the SEG-Y files, the processing log, and the inputs, which
must be left as they were. The first difference of a seed is printed with its byte offset,
both values and what the byte belongs to (header field, trace, sample, log line).

  compare.py --batch build/release/src/batch/obscut-batch --seeds 200
  compare.py --batch ... --first 1 --last 5000 --keep-going
  compare.py --batch ... --first 17 --last 17 --keep seed17   # keep the survey in ./seed17
"""

import argparse
import re
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import random_survey  # noqa: E402
import reference_model  # noqa: E402

BINARY_HEADER_FIELDS = [  # (offset in the binary header, width, name)
    (0, 12, "job, line and reel numbers"), (12, 2, "number of data traces (trace count)"),
    (14, 2, "auxiliary traces"), (16, 2, "sample interval (us)"),
    (18, 2, "field sample interval (us)"), (20, 2, "samples per trace"),
    (22, 2, "field samples per trace"), (24, 2, "sample format code"),
    (62, 2, "line 5 value"), (64, 2, "line 6 value"), (76, 2, "line 3 value 1"),
    (78, 2, "line 3 value 2"), (80, 2, "line 3 value 3"), (82, 2, "line 3 value 4"),
    (84, 4, "station Y x 10000"), (88, 4, "station X x 10000"), (92, 4, "zero field"),
    (96, 4, "line 4 value x 1000")]

TRACE_HEADER_FIELDS = [  # (offset in the trace header, width, name)
    (0, 4, "trace sequence within line"), (4, 4, "trace sequence within reel"),
    (8, 4, "shot number"), (28, 2, "trace identification code"), (36, 4, "range x 1000"),
    (60, 4, "water depth"), (72, 4, "source X (station X x 1000)"),
    (76, 4, "source Y (station Y x 1000)"), (80, 4, "group X (shot X x 1000)"),
    (84, 4, "group Y (shot Y x 1000)"), (108, 2, "delay recording time"),
    (114, 2, "samples in this trace"), (116, 2, "sample interval (us)"), (158, 2, "shot day"),
    (160, 2, "shot hour"), (162, 2, "shot minute"), (164, 2, "shot second"),
    (166, 2, "time basis code"), (180, 4, "sample interval as float")]


def field_name(table, offset):
    for start, width, name in table:
        if start <= offset < start + width:
            return "%s (bytes %d-%d of the header)" % (name, start, start + width - 1)
    return "unassigned byte %d of the header (must be 0)" % offset


def describe_segy_offset(data, offset):
    if offset < 320:
        return "text header byte %d (copy of the recorder's ascii header)" % offset
    if offset < 3200:
        return "text header padding byte %d (must be 0)" % offset
    if offset < 3600:
        return "binary header: " + field_name(BINARY_HEADER_FIELDS, offset - 3200)
    samples = int.from_bytes(data[3220:3222], "little") if len(data) >= 3222 else 0
    trace_size = 240 + 2 * samples
    trace, inside = divmod(offset - 3600, trace_size)
    if inside < 240:
        return "trace %d (from 0), trace header: %s" % (trace, field_name(TRACE_HEADER_FIELDS,
                                                                         inside))
    return "trace %d (from 0), sample %d of %d" % (trace, (inside - 240) // 2, samples)


def describe_log_offset(data, offset):
    line = data.count(b"\n", 0, offset) + 1
    start = data.rfind(b"\n", 0, offset) + 1
    end = data.find(b"\n", offset)
    end = end if end >= 0 else len(data)
    shown = data[max(start, offset - 60):min(end, offset + 60)]
    return "log line %d, column %d: ...%r..." % (line, offset - start + 1, shown)


def first_difference(expected, actual):
    for offset in range(min(len(expected), len(actual))):
        if expected[offset] != actual[offset]:
            return offset
    return min(len(expected), len(actual))


def describe_file_difference(path, expected, actual):
    offset = first_difference(expected, actual)
    want = "0x%02x" % expected[offset] if offset < len(expected) else "end of file"
    got = "0x%02x" % actual[offset] if offset < len(actual) else "end of file"
    reference = expected if offset < len(expected) else actual
    if path.endswith(".sgy"):
        where = describe_segy_offset(reference, offset)
    elif os.path.basename(path) == reference_model.LOG_NAME:
        where = "model " + describe_log_offset(expected, min(offset, len(expected))) + \
            "\n    program " + describe_log_offset(actual, min(offset, len(actual)))
    else:
        where = "input file"
    return ("file %s: first difference at byte %d: model %s, program %s "
            "(lengths: model %d, program %d)\n    %s"
            % (path, offset, want, got, len(expected), len(actual), where))


def snapshot(folder):
    files = {}
    for root, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                files[path] = f.read()
    return files


def check_differences(check, model, inputs_before_check):
    """How the preflight report of the survey (obscut-batch --check, run before the
    conversion) disagrees with what the model says the conversion does."""
    differences = []
    if check.returncode != model.exit_code:
        differences.append("--check exit status %d, the run's %d"
                           % (check.returncode, model.exit_code))
    if model.exit_code == 2:
        return differences
    report = check.stdout.decode("utf-8", "replace").splitlines()
    verdict = report[-1] if report else ""
    if model.exit_code == 0:
        traces = re.search(rb"A total of (-?\d+) traces", model.stdout)
        want = "The run would finish with %s traces." % traces.group(1).decode()
    else:
        want = model.stderr.decode("utf-8", "replace").rstrip("\n").split("\n")[-1]
    if not verdict.endswith(want):
        differences.append("--check says %r, the run %r" % (verdict, want))
    return differences


def compare_seed(batch, seed, folder):
    """Returns a list of difference descriptions (empty when model and program agree)."""
    survey = random_survey.generate(seed, folder)
    inputs = snapshot(folder)
    check = subprocess.run([batch, "--check"] + survey.batch_arguments(), cwd=folder,
                           capture_output=True, timeout=300)
    model = reference_model.RunConversion(survey.recorder_paths, survey.shot_table_path,
                                          survey.output_path, survey.min_time_text,
                                          survey.max_time_text, survey.channel, folder)
    run = subprocess.run([batch] + survey.batch_arguments(), cwd=folder, capture_output=True,
                         timeout=300)
    actual = snapshot(folder)
    expected = dict(inputs)
    expected.update(model.files)

    differences = check_differences(check, model, inputs)
    if run.returncode != model.exit_code:
        differences.append("exit status: model %d, program %d" % (model.exit_code,
                                                                  run.returncode))
    if run.stdout != model.stdout:
        differences.append("standard output: model %r, program %r" % (model.stdout, run.stdout))
    if run.stderr != model.stderr:
        differences.append("standard error: model %r, program %r" % (model.stderr, run.stderr))
    for path in sorted(set(expected) | set(actual)):
        if path not in actual:
            differences.append("file %s: the model has it, the program did not create it"
                               % path)
        elif path not in expected:
            differences.append("file %s: the program created it, the model has no such file"
                               % path)
        elif expected[path] != actual[path]:
            differences.append(describe_file_difference(path, expected[path], actual[path]))
    if differences:
        header = ("seed %d (%s)\n  obscut-batch %s" %
                  (seed, ", ".join(survey.notes) or "plain survey",
                   " ".join(survey.batch_arguments())))
        differences.insert(0, header)
    return differences


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--batch", required=True, help="path of the obscut-batch program")
    parser.add_argument("--seeds", type=int, help="compare seeds 1 to N")
    parser.add_argument("--first", type=int, default=1)
    parser.add_argument("--last", type=int)
    parser.add_argument("--keep-going", action="store_true",
                        help="go on after a differing seed and list them all at the end")
    parser.add_argument("--keep", help="folder in which to leave the survey of a single seed")
    args = parser.parse_args()
    last = args.last if args.last is not None else (args.seeds or 200) + args.first - 1
    batch = os.path.abspath(args.batch)

    started = time.monotonic()
    failing = []
    for seed in range(args.first, last + 1):
        try:
            if args.keep:
                shutil.rmtree(args.keep, ignore_errors=True)
                os.makedirs(args.keep)
                differences = compare_seed(batch, seed, os.path.abspath(args.keep))
            else:
                with tempfile.TemporaryDirectory(prefix="obscut-model-") as folder:
                    differences = compare_seed(batch, seed, folder)
        except Exception:  # a fault of the generator or the model still names its seed
            differences = ["seed %d: the comparison itself failed\n%s"
                           % (seed, traceback.format_exc())]
        if differences:
            print("\n  ".join(differences), flush=True)
            failing.append(seed)
            if not args.keep_going:
                break
    elapsed = time.monotonic() - started
    compared = (last - args.first + 1) if args.keep_going or not failing else \
        failing[0] - args.first + 1
    print("%d seeds compared in %.1f s; %d differ%s" %
          (compared, elapsed, len(failing),
           (": " + " ".join(str(s) for s in failing)) if failing else ""))
    return 1 if failing else 0


if __name__ == "__main__":
    sys.exit(main())
