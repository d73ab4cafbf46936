#!/usr/bin/python3
"""Converts the same surveys with two obscut-batch builds and compares everything they leave.

Proof that a change to the conversion's speed changed none of its results: for every survey
both programs run in the same folder, on the same paths, one after the other, and the exit
status, standard output, standard error and every byte of every file left in the folder (the
SEG-Y files, the processing log, and the inputs) must be the same.

The surveys:
  * obscut-synth surveys at full size (hours of data) with gaps, touching and overlapping
    files, midnight at the end of a leap year, windows starting before the shot, windows running past the last
    file, one output channel, and a copy with an unrecognised month in one file's header;
  * the small awkward surveys of tests/model/random_survey.py (seeds 1 to --seeds): short and
    ragged files, odd sample sizes and rates, unreadable dates, shots everywhere, runs that
    stop.

  bench/compare_outputs.py --old build/before/build/src/batch/obscut-batch \\
      --new build/release/src/batch/obscut-batch --synth build/release/tools/obscut-synth
"""

import argparse
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "tests", "model"))

import random_survey  # noqa: E402

# (name, obscut-synth options, obscut-batch window and channel options)
SYNTH_SURVEYS = [
    ("plain", ["--files", "3", "--file-seconds", "5400"], []),
    ("gaps-touch-overlap", ["--files", "6", "--file-seconds", "3000", "--gap", "0,-7,45,3,-1"],
     []),
    ("leading-zeros", ["--files", "2", "--file-seconds", "3600", "--shot-interval", "37.5"],
     ["--min-time", "-20", "--max-time", "40"]),
    ("past-last-file", ["--files", "2", "--file-seconds", "3600", "--shot-interval", "20"],
     ["--min-time", "0", "--max-time", "90"]),
    ("midnight-100sps", ["--files", "4", "--file-seconds", "2000", "--sample-rate", "100",
                            "--start", "30 Dec 96 23:10:00", "--gap", "2,0,-3"], []),
    ("odd-rate-one-channel", ["--files", "3", "--file-seconds", "1800", "--sample-rate", "128",
                              "--gap", "1"], ["--channel", "3", "--max-time", "33.3"]),
    ("long-window", ["--files", "3", "--file-seconds", "3000", "--shot-interval", "90"],
     ["--min-time", "-1", "--max-time", "239"]),
]


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def folder_state(folder):
    state = {}
    for root, _, files in os.walk(folder):
        for name in files:
            path = os.path.join(root, name)
            state[os.path.relpath(path, folder)] = digest(path)
    return state


LOG_EVENTS = [("matched", b"is matched to"), ("starts before", b"starts before the first"),
              ("extends beyond", b"extends beyond the last"), ("also matched", b"also matched"),
              ("padded samples", b"meets the last datafile"),
              ("unrecognised dates", b"not recognizable")]


def log_events(folder, state):
    """How often each kind of shot line stands in the processing log of the run."""
    for relative in state:
        if os.path.basename(relative) == ".tempOutAsciiInfo.txt":
            with open(os.path.join(folder, relative), "rb") as f:
                text = f.read()
            return {name: text.count(words) for name, words in LOG_EVENTS}
    return {}


def run_both(old, new, arguments, folder):
    """Runs both programs in `folder`; gives a list of differences (empty when identical)."""
    inputs = folder_state(folder)
    results = []
    events = {}
    for program in (old, new):
        run = subprocess.run([program] + arguments, cwd=folder, capture_output=True)
        state = folder_state(folder)
        results.append((run.returncode, run.stdout, run.stderr, state))
        events = log_events(folder, state)
        # Back to the inputs alone for the next program.
        for relative in state:
            if relative not in inputs:
                os.remove(os.path.join(folder, relative))
    (old_code, old_out, old_err, old_state), (new_code, new_out, new_err, new_state) = results
    differences = []
    if old_code != new_code:
        differences.append("exit status %d against %d" % (old_code, new_code))
    if old_out != new_out:
        differences.append("standard output differs")
    if old_err != new_err:
        differences.append("standard error differs: %r against %r" % (old_err, new_err))
    for relative in sorted(set(old_state) | set(new_state)):
        if old_state.get(relative) != new_state.get(relative):
            differences.append("%s differs (%s against %s)" % (
                relative, old_state.get(relative, "missing"), new_state.get(relative, "missing")))
    return differences, old_code, events


def synth_surveys(synth, scratch):
    """Yields (name, folder, obscut-batch arguments) of the obscut-synth surveys."""
    for name, synth_options, window in SYNTH_SURVEYS:
        folder = os.path.join(scratch, name)
        os.makedirs(folder)
        subprocess.run([synth, "--out", folder, "--seed", "11"] + synth_options, check=True,
                       capture_output=True)
        recorders = sorted(f for f in os.listdir(folder) if f.startswith("OBS"))
        arguments = ["--shot-table", "shots.txt", "--output", "out/line"] + window + recorders
        os.makedirs(os.path.join(folder, "out"))
        yield name, folder, arguments
        if name == "gaps-touch-overlap":
            # The same survey with a month the recorder header cannot have in its third file.
            broken = folder + "-unrecognised-date"
            shutil.copytree(folder, broken)
            with open(os.path.join(broken, recorders[2]), "r+b") as f:
                f.seek(195)
                f.write(b"Xyz")
            yield name + "-unrecognised-date", broken, arguments


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--old", required=True, help="obscut-batch taken as the reference")
    parser.add_argument("--new", required=True, help="obscut-batch to check")
    parser.add_argument("--synth", required=True, help="obscut-synth for the full-size surveys")
    parser.add_argument("--seeds", type=int, default=500,
                        help="random_survey seeds 1 to N (default 500)")
    parser.add_argument("--dir", help="scratch folder (default: a fresh temporary one)")
    args = parser.parse_args()
    old, new, synth = (os.path.abspath(p) for p in (args.old, args.new, args.synth))

    scratch = tempfile.mkdtemp(prefix="obscut-compare-", dir=args.dir)
    failures = 0
    checked = 0
    try:
        for name, folder, arguments in synth_surveys(synth, scratch):
            differences, code, events = run_both(old, new, arguments, folder)
            checked += 1
            print("%-30s exit %d, %s: %s" % (
                name, code, ", ".join("%s %d" % item for item in events.items() if item[1]),
                "identical" if not differences else "DIFFERENT"))
            for line in differences:
                print("    " + line)
            failures += bool(differences)
        stops = 0
        random_failures = 0
        for seed in range(1, args.seeds + 1):
            folder = os.path.join(scratch, "seed%d" % seed)
            os.makedirs(folder)
            survey = random_survey.generate(seed, folder)
            differences, code, _ = run_both(old, new, survey.batch_arguments(), folder)
            checked += 1
            stops += code != 0
            if differences:
                failures += 1
                random_failures += 1
                print("random survey seed %d: DIFFERENT" % seed)
                for line in differences:
                    print("    " + line)
            shutil.rmtree(folder)
        print("random surveys, seeds 1 to %d: %d differ (%d of the runs stop early)" % (
            args.seeds, random_failures, stops))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print("%d surveys compared, %d differ" % (checked, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
