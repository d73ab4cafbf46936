"""Seeded generator of small, awkward surveys for the model comparison.

generate(seed, folder) writes a few recorder files and a shot table into folder and returns
the command line of one run. The same seed always gives the same bytes. The surveys are
small (a few hundred to a few thousand frames per file) but full of the cases that decide
bytes: gaps, overlaps and out-of-order file numbers, midnight, unreadable dates, short and
ragged files, odd sample sizes and rates, shots before, inside, between and after the
files, negative and zero-length windows, and shot table values at the 16- and 32-bit edges.
Rarely a survey makes the run stop: a short header, an unusable sample rate or size, a
window of more than 60000 samples or below zero, an output that would overwrite an input,
a next file too short to complete a window, a shot line that is not a number.

To look at one survey: compare.py --batch ... --first N --last N --keep DIR.
"""

import datetime
import math
import os
import random
import struct
from dataclasses import dataclass, field

MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
TWO_DIGIT_YEARS = {1988: 88, 1995: 95, 1996: 96, 1997: 97, 1999: 99, 2000: 0, 2003: 3, 2004: 4}


@dataclass
class Survey:
    seed: int
    folder: str
    recorder_paths: list  # in the order given on the command line
    shot_table_path: str
    output_path: str
    min_time_text: str
    max_time_text: str
    channel: int
    notes: list = field(default_factory=list)  # what is unusual about this survey

    def batch_arguments(self):
        return (["--shot-table", self.shot_table_path, "--output", self.output_path,
                 "--min-time", self.min_time_text, "--max-time", self.max_time_text,
                 "--channel", str(self.channel)] + list(self.recorder_paths))


def usable_rate(rate):
    """Whether a rate can place shots and windows; the others get a plain 100 for that."""
    return math.isfinite(rate) and 0.5 <= rate <= 100000


def decimal_text(value, places):
    text = "%.*f" % (places, value)
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    if text in ("-0", ""):
        text = "0"
    return text


@dataclass
class PlannedFile:
    start: int  # whole seconds since 1 January 00:00 of the survey year
    frames: int
    sample_rate: float
    bytes_per_sample: int = 2
    tail_bytes: int = 0
    month_override: str = None
    day_text: str = None
    short_header: int = None  # bytes kept when the header is cut short


def plan_files(rng, notes):
    rate = rng.choices([4.0, 50.0, 100.0, 128.0, 250.0, 1000.0, 62.5, 99.9],
                       weights=[12, 14, 20, 14, 16, 5, 3, 2])[0]
    count = rng.choices([1, 2, 3, 4, 5], weights=[10, 25, 30, 20, 15])[0]
    year = rng.choice(sorted(TWO_DIGIT_YEARS))
    first_day = rng.randint(1, 330)
    if rng.random() < 0.3:
        second_of_day = 86400 - rng.randint(1, 40) * max(1, int(600 / rate))  # before midnight
        notes.append("midnight")
    else:
        second_of_day = rng.randint(0, 86399)
    start = (first_day - 1) * 86400 + second_of_day
    files = []
    for n in range(count):
        frames = rng.randint(200, 3000)
        if rng.random() < 0.04:
            frames = rng.randint(1, 40)
            notes.append("tiny file")
        file_rate = rate
        if rng.random() < 0.08:
            file_rate = rng.choice([4.0, 50.0, 100.0, 128.0, 250.0])
            notes.append("mixed rates")
        planned = PlannedFile(start, frames, file_rate)
        if rng.random() < 0.07:
            planned.frames = 0
            notes.append("512-byte file")
        if rng.random() < 0.2:
            planned.tail_bytes = rng.randint(1, 7)
        if rng.random() < 0.06:
            planned.bytes_per_sample = rng.choice([1, 4])
            notes.append("bytesPerSample %d" % planned.bytes_per_sample)
        if rng.random() < 0.06:
            planned.month_override = rng.choice(["jan", "JAN", "Xyz", "", "Ma"])
            notes.append("unrecognised month")
        elif rng.random() < 0.03:
            planned.day_text = rng.choice([" 0", "-1", "00", "-5"])
            notes.append("day text %r" % planned.day_text)
        files.append(planned)
        duration = frames / file_rate
        gap = rng.choices([0, rng.randint(1, 8), -rng.randint(1, 4), rng.randint(20, 400)],
                          weights=[25, 40, 20, 15])[0]
        start = max(start + int(duration) + gap, start + 1)
    rare = rng.random()
    if rare < 0.015:
        rng.choice(files).short_header = rng.randint(0, 511)
        notes.append("short header")
    elif rare < 0.04:
        victim = rng.choice(files)
        victim.sample_rate = rng.choice([0.0, -100.0, float("nan"), float("inf")])
        notes.append("unusable sample rate")
    elif rare < 0.05:
        rng.choice(files).bytes_per_sample = rng.choice([0, -2])
        notes.append("unusable sample size")
    elif rare < 0.06:
        # Finite and positive, but far outside any recorder's range: the 16-bit sample
        # interval, the float interval and the window arithmetic meet their limits.
        rng.choice(files).sample_rate = rng.choice([5.420994260581756e-14, 1e-13, 3e-38, 1e30,
                                                    2.5e9])
        notes.append("extreme sample rate")
    return year, files


def start_time_text(year, planned):
    date = datetime.datetime(year, 1, 1) + datetime.timedelta(seconds=planned.start)
    month = MONTHS[date.month - 1] if planned.month_override is None else planned.month_override
    day = "%02d" % date.day if planned.day_text is None else planned.day_text
    return "%s %-3s %02d %02d:%02d:%02d" % (day, month, TWO_DIGIT_YEARS[year], date.hour,
                                            date.minute, date.second)


def recorder_bytes(rng, year, planned, station):
    header = bytearray(rng.randbytes(512))
    struct.pack_into("<h", header, 10, planned.bytes_per_sample)
    struct.pack_into("<f", header, 32, planned.sample_rate)
    text = start_time_text(year, planned).encode("ascii")
    text += rng.choice([b" ", b"\n", b"\r\n", b"\0"]) + station
    text += rng.choice([b"\nch1 hydrophone\nch2 Z\nch3 X\nch4 Y\n", b"\r\n gain 32\r\n",
                        b"\0\0\0 unused \n", b""])
    ascii_part = text + bytes(320 - len(text)) if rng.random() < 0.7 else \
        text + rng.randbytes(320 - len(text))
    header[192:512] = ascii_part[:320]
    data = rng.randbytes(planned.frames * 8 + planned.tail_bytes)
    contents = bytes(header) + data
    if planned.short_header is not None:
        contents = contents[:planned.short_header]
    return contents


def file_names(rng, count, notes):
    numbers = list(range(1, count + 1))
    if count > 1 and rng.random() < 0.25:
        rng.shuffle(numbers)
        notes.append("file numbers out of time order")
    if count > 1 and rng.random() < 0.1:
        numbers[rng.randrange(count)] = numbers[rng.randrange(count)]
        notes.append("equal file numbers")
    style = rng.choices(["OBS0%04d.%03d", "OBSA%04d.DA%d", "OBS%05d.%03d", "OBS-%d.x%d",
                         "OBS-%03d.%03d", "OBSA %03d.DA%d"], weights=[10, 5, 5, 1, 2, 1])[0]
    if style == "OBS-%d.x%d":
        notes.append("file numbers all 0")
    elif style == "OBS-%03d.%03d":
        notes.append("negative file numbers")
    return [style % (number, n + 1) for n, number in enumerate(numbers)]


def time_fields(absolute):
    """Absolute seconds since 1 January 00:00 to day of year, hour, minute and second."""
    whole = int(absolute // 60) * 60
    second = absolute - whole
    day, rest = divmod(whole, 86400)
    return day + 1, rest // 3600, (rest % 3600) // 60, second


def shot_second_text(rng, second, rate):
    choice = rng.random()
    if choice < 0.15:  # on a half sample
        step = 0.5 / rate
        second = round(second / step) * step
        return decimal_text(min(second, 59.999), 8)
    if choice < 0.2:
        return "59.99"
    return decimal_text(second, rng.choice([0, 2, 3]))


NON_FINITE_SECONDS = ["nan", "NaN", "inf", "-inf", "Infinity", "1e308", "-1e39"]

EXTREME_VALUES = ["1e16", "-3e12", "2e17", "1.5e30", "-7e25", "4294967.296", "-2147483.648"]


def shot_value_texts(rng):
    if rng.random() < 0.03:  # products far beyond 32 bits
        return [rng.choice(EXTREME_VALUES) for _ in range(3)] + ["12.5"]
    big = rng.random() < 0.15
    y = rng.uniform(-3.0e6, 3.0e6) if big else rng.uniform(-50, 5000)
    x = rng.uniform(-3.0e6, 3.0e6) if big else rng.uniform(-50, 700)
    distance = rng.choice([rng.uniform(-35, 35), 4.35, 0.7, -0.7, rng.uniform(2.2e6, 5e6)]
                          if rng.random() < 0.3 else [rng.uniform(-35, 35)])
    depth = rng.choice([rng.uniform(0, 6000), 1234.5, -0.5, 0.4, 2.5, rng.randint(0, 5000) + 0.5])
    return [decimal_text(y, 3), decimal_text(x, 3), decimal_text(distance, rng.choice([2, 3])),
            decimal_text(depth, rng.choice([1, 2]))]


def window_texts(rng, rate, notes):
    """minTime and maxTime as typed, from a window length in samples."""
    min_time = rng.choice([0.0] * 6 + [-rng.uniform(0.1, 30), rng.uniform(0.1, 30)])
    min_time = float(decimal_text(min(max(min_time, -2000 / rate), 2000 / rate), 2))
    samples = rng.choices([rng.randint(1, 300), rng.randint(100, 1500), rng.randint(1500, 6000),
                           rng.randint(6000, 12000), rng.randint(30000, 60000)],
                          weights=[40, 40, 15, 5, 1.5])[0]
    if samples >= 30000:
        notes.append("window of 30000 samples or more")
    length = samples / rate
    rare = rng.random()
    if rare < 0.02:
        length = 0.0
        notes.append("zero-length window")
    elif rare < 0.04:
        length = -rng.choice([0.001, 1.0 / rate, rng.uniform(0.1, 10)])
        notes.append("maxTime below minTime")
    elif rare < 0.055:
        length = rng.uniform(60001, 70000) / rate
        notes.append("window over 60000 samples")
    max_time = min_time + length
    return decimal_text(min_time, 2), decimal_text(max_time, 3)


def plan_shot_times(rng, files, window_seconds, min_time, count):
    """Shot times that put the window start before, inside, across and after the files."""
    times = []
    first = files[0].start
    last_end = max(f.start + f.frames / f.sample_rate if usable_rate(f.sample_rate) else f.start
                   for f in files)
    for _ in range(count):
        planned = rng.choice(files)
        rate = planned.sample_rate if usable_rate(planned.sample_rate) else 100.0
        end = planned.start + planned.frames / rate
        where = rng.random()
        if where < 0.35:
            window_start = rng.uniform(planned.start, max(planned.start, end - window_seconds))
        elif where < 0.6:
            window_start = end - rng.uniform(0, max(window_seconds, 1.0))
        elif where < 0.75:
            window_start = planned.start - rng.uniform(0, max(window_seconds, 1.0) * 1.2)
        elif where < 0.85:
            window_start = first - rng.uniform(0, 3 * max(window_seconds, 1.0))
        else:
            window_start = last_end + rng.uniform(-window_seconds, 3 * max(window_seconds, 1.0))
        if rng.random() < 0.04:
            window_start += rng.choice([-1, 1]) * rng.randint(1, 3) * 86400 + rng.uniform(-99, 99)
        times.append(max(window_start - min_time, 1.0))
    if rng.random() < 0.5:
        times.sort()
    return times


def shot_table_text(rng, times, rate, notes):
    big = rng.random() < 0.3
    station_y = rng.uniform(-3e6, 3e6) if big else rng.uniform(-90, 90)
    station_x = rng.uniform(-3e6, 3e6) if big else rng.uniform(-180, 180)
    line3 = [rng.choice([rng.randint(-40000, 70000), rng.randint(0, 100), -1, 32768, 65537])
             for _ in range(4)]
    line5 = rng.choice([str(rng.randint(-70000, 70000)), "1207"])
    line6 = rng.choice([str(rng.randint(-70000, 70000)), "40000"])
    if rng.random() < 0.05:
        line5 = "none"
        notes.append("line 5 without a number")
    station = "%s %s" % (decimal_text(station_y, 4), decimal_text(station_x, 4))
    line4 = decimal_text(rng.uniform(-10, 6000), rng.choice([1, 3]))
    if rng.random() < 0.03:
        station = "%s %s" % (rng.choice(EXTREME_VALUES), rng.choice(EXTREME_VALUES))
        line4 = rng.choice(EXTREME_VALUES)
        notes.append("extreme header values")
    lines = ["Shot table for a model comparison", station,
             " ".join(str(v) for v in line3),
             line4,
             line5, line6,
             "shot day hour minute second Y X range depth"]
    number = rng.choice([rng.randint(1, 2000), rng.randint(32700, 32800), rng.randint(39990, 40010),
                         rng.randint(-40000, -32700), rng.randint(65530, 65540)])
    step = rng.choice([1, 1, -1, 7])
    # Drawn apart from rng, so that the surveys of every seed stay as they were without them.
    odd_times = random.Random(hash(rng.getstate()[1]))
    for n, t in enumerate(times):
        day, hour, minute, second = time_fields(t)
        fields = [str(number), str(day), str(hour), str(minute),
                  shot_second_text(rng, second, rate)] + shot_value_texts(rng)
        if odd_times.random() < 0.01:  # a time that is no number of seconds: no trace
            fields[4] = odd_times.choice(NON_FINITE_SECONDS)
            notes.append("shot second " + fields[4])
        if n > 0 and rng.random() < 0.02:
            fields = fields[:3]
            notes.append("shot line of three values")
        lines.append(rng.choice(["", "", " ", "\t"]) + rng.choice([" ", "  ", "\t"]).join(fields))
        number += step
    if times and rng.random() < 0.015:
        lines.insert(7 + rng.randrange(len(times)), "end of shots")
        notes.append("error in shot table")
    newline = "\r\n" if rng.random() < 0.1 else "\n"
    ending = "" if rng.random() < 0.2 else newline
    return newline.join(lines) + ending


def generate(seed, folder):
    rng = random.Random(seed)
    notes = []
    year, files = plan_files(rng, notes)
    names = file_names(rng, len(files), notes)
    station = rng.choice([b"OBS07", b"ST 12", b"tal"])
    paths = []
    for planned, name in zip(files, names):
        path = os.path.join(folder, name)
        with open(path, "wb") as f:
            f.write(recorder_bytes(rng, year, planned, station))
        paths.append(path)

    rate = files[0].sample_rate if usable_rate(files[0].sample_rate) else 100.0
    min_time_text, max_time_text = window_texts(rng, rate, notes)
    min_time, max_time = float(min_time_text), float(max_time_text)
    window_seconds = max(max_time - min_time, 0.0)
    shot_count = rng.randint(0, 14) if rng.random() < 0.1 else rng.randint(3, 14)
    times = plan_shot_times(rng, files, window_seconds, min_time, shot_count)

    out = os.path.join(folder, "out")
    os.makedirs(out, exist_ok=True)
    base = rng.choice(["line1", "line1.sgy", "LINE2.SGY", "l3.segy", "x"])
    output_path = os.path.join(out, base)
    if rng.random() < 0.15:  # relative to the folder the program runs in
        output_path = rng.choice([os.path.join("out", base), base])
        notes.append("relative output path")
    channel = rng.randint(0, 4)
    shot_table = os.path.join(folder, rng.choice(["shots.txt", "table.dat"]))
    if rng.random() < 0.01:
        stem = base[:-4] if base.lower().endswith(".sgy") else base
        shot_table = os.path.join(out, stem + "ch%d.sgy" % max(channel, 1))
        notes.append("shot table named like an output")
    with open(shot_table, "w", newline="") as f:
        f.write(shot_table_text(rng, times, rate, notes))
    if rng.random() < 0.01:
        stem = base[:-4] if base.lower().endswith(".sgy") else base
        named_like_output = os.path.join(out, stem + "ch%d.sgy" % max(channel, 1))
        with open(paths[0], "rb") as source, open(named_like_output, "wb") as copy:
            copy.write(source.read())
        paths.append(named_like_output)
        notes.append("recorder file named like an output")

    selection = list(paths)
    rng.shuffle(selection)
    if rng.random() < 0.02:
        selection.insert(rng.randrange(len(selection) + 1), rng.choice(paths))
        notes.append("a recorder file given twice")
    return Survey(seed, folder, selection, shot_table, output_path, min_time_text,
                  max_time_text, channel, notes)
