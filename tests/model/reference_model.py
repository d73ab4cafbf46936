"""Reference model of the conversion rules of obscut.

Written independently of the C++ sources, from the rules of the recorder file, the shot
table, the processing log and the SEG-Y output, so that compare.py can check the real
obscut-batch against it byte for byte. It is slow and plain on purpose: every step is one
function named after the operation it models, every number is kept in the precision the
rules name (single-precision values really are rounded to float32), and nothing is
written to disk: the model returns the bytes every file of the run should hold.

Only the Python standard library is used.
"""

import math
import os
import struct
from dataclasses import dataclass, field
from fractions import Fraction

MAX_RECORDER_FILES = 999
RECORDER_HEADER_SIZE = 512
FRAME_SIZE = 8
ASCII_HEADER_OFFSET = 192
ASCII_HEADER_SIZE = 320
CHANNEL_BUFFER_CAPACITY = 60000
SHOT_TABLE_LINE_BUFFER = 400
SEGY_TEXT_HEADER_SIZE = 3200
SEGY_BINARY_HEADER_SIZE = 400
SEGY_TRACE_HEADER_SIZE = 240
SEGY_TRACE_COUNT_OFFSET = 3212
LOG_NAME = ".tempOutAsciiInfo.txt"

SUMMARY = ("A total of %d traces processed. \n"
           "You may need to filter or debias before properly display some data.")

MONTH_DAYS_BEFORE = [  # days before the month, February counted as F
    ("Jan", 0, False), ("Feb", 31, False), ("Mar", 31, True), ("Apr", 62, True),
    ("May", 92, True), ("Jun", 123, True), ("Jul", 153, True), ("Aug", 184, True),
    ("Sep", 215, True), ("Oct", 245, True), ("Nov", 276, True), ("Dec", 306, True)]


class RunStopped(Exception):
    """The run's single early end: the message goes to standard error, exit status 1."""

    def __init__(self, message):
        super().__init__(message)
        self.message = message


# ---------------------------------------------------------------------------------------
# Numbers

def to_float32(x):
    """Rounds a double to the nearest single-precision value (ties to even); too large a
    value becomes an infinity, as the IEEE conversion gives it."""
    try:
        return struct.unpack("<f", struct.pack("<f", x))[0]
    except OverflowError:
        return math.copysign(math.inf, x)


def _float32_neighbours(f):
    bits = struct.unpack("<I", struct.pack("<f", f))[0]
    out = [f]
    for b in (bits - 1, bits + 1):
        if 0 <= b <= 0xFFFFFFFF:
            v = struct.unpack("<f", struct.pack("<I", b))[0]
            if math.isfinite(v):
                out.append(v)
    return out


def decimal_to_float32(text):
    """Decimal text to float32 as strtof does it: correctly rounded, ties to even."""
    approx = to_float32(float(text))
    if not math.isfinite(approx):
        return approx
    exact = Fraction(text)
    best = None
    for candidate in _float32_neighbours(approx):
        distance = abs(Fraction(candidate) - exact)
        even = struct.unpack("<I", struct.pack("<f", candidate))[0] % 2 == 0
        key = (distance, not even)
        if best is None or key < best[0]:
            best = (key, candidate)
    return best[1]


def truncate(x):
    """Conversion of a double to an integer: toward zero."""
    return math.trunc(x)


def low_bits_signed(value, bits):
    value &= (1 << bits) - 1
    if value >= 1 << (bits - 1):
        value -= 1 << bits
    return value


def RoundHalfAway(x):
    """Nearest integer, halves away from zero; the sum is formed in double precision."""
    if x > 0:
        return math.trunc(x + 0.5)
    return math.trunc(x - 0.5)


def le16(value):
    return struct.pack("<H", value & 0xFFFF)


def le32(value):
    return struct.pack("<I", value & 0xFFFFFFFF)


def atoi(raw):
    """atoi on a byte string: blanks skipped, one sign, digits up to the first other byte."""
    i = 0
    while i < len(raw) and raw[i] in b" \t\n\v\f\r":
        i += 1
    sign = 1
    if i < len(raw) and raw[i] in b"+-":
        sign = -1 if raw[i] == ord("-") else 1
        i += 1
    value = 0
    while i < len(raw) and 0x30 <= raw[i] <= 0x39:
        value = value * 10 + raw[i] - 0x30
        i += 1
    return sign * value


def cut_field(raw, start, width):
    """At most width bytes from start, ending early at a NUL byte."""
    piece = raw[start:start + width]
    nul = piece.find(b"\0")
    return piece if nul < 0 else piece[:nul]


# ---------------------------------------------------------------------------------------
# scanf-style scanning of one shot table line

_SPACE = b" \t\n\v\f\r"


def _scan_int(line, pos):
    start = pos
    if pos < len(line) and line[pos] in b"+-":
        pos += 1
    digits = pos
    while pos < len(line) and 0x30 <= line[pos] <= 0x39:
        pos += 1
    if pos == digits:
        return None, start
    return int(line[start:pos]), pos


_FLOAT_WORDS = ((b"infinity", math.inf), (b"inf", math.inf), (b"nan", math.nan))


def _scan_float(line, pos):
    start = pos
    if pos < len(line) and line[pos] in b"+-":
        pos += 1
    # The words strtof knows, written whole (no "nan(...)" and no partial words).
    for word, value in _FLOAT_WORDS:
        if line[pos:pos + len(word)].lower() == word:
            sign = -1.0 if line[start:start + 1] == b"-" else 1.0
            return math.copysign(value, sign), pos + len(word)
    int_digits = pos
    while pos < len(line) and 0x30 <= line[pos] <= 0x39:
        pos += 1
    mantissa_digits = pos - int_digits
    if pos < len(line) and line[pos] == ord("."):
        pos += 1
        frac_start = pos
        while pos < len(line) and 0x30 <= line[pos] <= 0x39:
            pos += 1
        mantissa_digits += pos - frac_start
    if mantissa_digits == 0:
        return None, start
    if pos < len(line) and line[pos] in b"eE":
        exp = pos + 1
        if exp < len(line) and line[exp] in b"+-":
            exp += 1
        if exp < len(line) and 0x30 <= line[exp] <= 0x39:
            while exp < len(line) and 0x30 <= line[exp] <= 0x39:
                exp += 1
            pos = exp
    return decimal_to_float32(line[start:pos].decode("ascii")), pos


def scan(line, conversions):
    """sscanf with a format of %d and %f only. Returns (count, values); count -1 is EOF."""
    nul = line.find(b"\0")
    if nul >= 0:
        line = line[:nul]
    values = []
    pos = 0
    for conversion in conversions:
        while pos < len(line) and line[pos] in _SPACE:
            pos += 1
        if pos == len(line):
            return (-1 if not values else len(values)), values
        reader = _scan_int if conversion == "d" else _scan_float
        value, pos = reader(line, pos)
        if value is None:
            break
        values.append(value)
    return len(values), values


# ---------------------------------------------------------------------------------------
# Processing log

class ProcessingLog:
    """The log text; on disk every line feed becomes carriage return + line feed."""

    def __init__(self, path):
        self.path = path
        self.text = bytearray()

    def Append(self, fmt, *args):
        self.text += fmt.encode("ascii") % tuple(
            os.fsencode(a) if isinstance(a, str) else a for a in args)

    def AppendBytes(self, raw):
        self.text += raw

    def file_bytes(self):
        return bytes(self.text).replace(b"\n", b"\r\n")


def LogPathFor(output_path):
    """The log lies in the folder of the output path as the user gave it."""
    slash = output_path.rfind(os.sep)
    if slash < 0:
        return LOG_NAME
    return output_path[:slash] + os.sep + LOG_NAME


def NormaliseOutputPath(output_path):
    if output_path[-4:].lower() != ".sgy":
        return output_path + ".sgy"
    return output_path


# ---------------------------------------------------------------------------------------
# Recorder files

def FileNumber(path):
    tail = os.fsencode(path)[-8:]
    return low_bits_signed(atoi(tail[:4]), 16)


def OrderByFileNumber(paths):
    """The exchange sort of the run: equal numbers never swap with each other."""
    entries = [(p, FileNumber(p)) for p in paths]
    for i in range(len(entries) - 1):
        for j in range(i + 1, len(entries)):
            if entries[i][1] > entries[j][1]:
                entries[i], entries[j] = entries[j], entries[i]
    return [p for p, _ in entries]


@dataclass
class RecorderFile:
    path: str
    contents: bytes

    @property
    def header(self):
        return self.contents[:RECORDER_HEADER_SIZE]

    @property
    def bytes_per_sample(self):
        return struct.unpack_from("<h", self.contents, 10)[0]

    @property
    def sample_rate(self):
        return struct.unpack_from("<f", self.contents, 32)[0]

    @property
    def ascii_header(self):
        return self.contents[ASCII_HEADER_OFFSET:RECORDER_HEADER_SIZE]

    @property
    def length(self):
        return len(self.contents)


def ReadRecorderHeader(path):
    with open(path, "rb") as f:
        contents = f.read()
    if len(contents) < RECORDER_HEADER_SIZE:
        raise RunStopped("File " + path + " header read wrong")
    return RecorderFile(path, contents)


def DumpAsciiHeader(recorder, log):
    log.Append("\n\nDump of the ascii header for file %s", recorder.path)
    log.AppendBytes(recorder.ascii_header)


def DayOfYear(year, day_of_month, month_text):
    february = 29 if (year - 92) % 4 == 0 else 28
    for name, before, after_february in MONTH_DAYS_BEFORE:
        if month_text == name.encode("ascii"):
            return day_of_month + before + (february if after_february else 0)
    return -1


@dataclass
class RecorderStartTime:
    fileDay: int
    fileHour: int
    fileMinute: int
    fileSecond: int


def ParseStartTime(header):
    day_of_month = atoi(cut_field(header, 192, 2))
    year = atoi(cut_field(header, 199, 2))
    hour = atoi(cut_field(header, 202, 2))
    minute = atoi(cut_field(header, 205, 2))
    second = atoi(cut_field(header, 208, 2))
    month = cut_field(header, 195, 3)
    return RecorderStartTime(DayOfYear(year, day_of_month, month), hour, minute, second)


def frames_from(recorder, position, count):
    """Whole 8-byte frames from a byte position: at most count, fewer at the file's end."""
    frames = []
    for n in range(count):
        start = position + n * FRAME_SIZE
        raw = recorder.contents[start:start + FRAME_SIZE]
        if len(raw) < FRAME_SIZE:
            break
        frames.append(struct.unpack(">4H", raw))
    return frames


def check_usable_sample_rate(recorder):
    rate = recorder.sample_rate
    if not math.isfinite(rate) or not rate > 0:
        raise RunStopped("File " + recorder.path + " has an unusable sample rate")


def check_usable_sample_size(recorder):
    if recorder.bytes_per_sample <= 0:
        raise RunStopped("File " + recorder.path + " has an unusable sample size")


# ---------------------------------------------------------------------------------------
# Shot table

@dataclass
class ShotTableHeader:
    stationY: float = 0.0
    stationX: float = 0.0
    line3Values: list = field(default_factory=lambda: [0, 0, 0, 0])
    line4Value: float = 0.0
    line5Value: int = 0
    line6Value: int = 0


@dataclass
class ShotRecord:
    shotNumber: int = 0
    shotDay: int = 0
    shotHour: int = 0
    shotMinute: int = 0
    shotSecond: float = 0.0
    shotY: float = 0.0
    shotX: float = 0.0
    range: float = 0.0
    waterDepth: float = 0.0


class ShotTable:
    def __init__(self, contents):
        self.contents = contents
        self.position = 0
        self.header = ShotTableHeader()
        self.record = ShotRecord()

    def read_line(self):
        """fgets into a 400-character buffer: at most 399 characters, up to a newline."""
        if self.position >= len(self.contents):
            return None
        limit = self.position + SHOT_TABLE_LINE_BUFFER - 1
        newline = self.contents.find(b"\n", self.position, limit)
        end = min(limit, len(self.contents)) if newline < 0 else newline + 1
        line = self.contents[self.position:end]
        self.position = end
        return line


def OpenShotTable(path):
    try:
        with open(path, "rb") as f:
            return ShotTable(f.read())
    except OSError:
        raise RunStopped("Error opening shot table") from None


def ReadShotTableHeader(table):
    header = table.header
    for number in range(1, 8):
        line = table.read_line()
        if line is None:
            raise RunStopped("Error reading header lines of shot table")
        if number == 2:
            _, values = scan(line, "ff")
            if len(values) > 0:
                header.stationY = values[0]
            if len(values) > 1:
                header.stationX = values[1]
        elif number == 3:
            _, values = scan(line, "dddd")
            for k, v in enumerate(values):
                header.line3Values[k] = v
        elif number == 4:
            _, values = scan(line, "f")
            if values:
                header.line4Value = values[0]
        elif number == 5:
            _, values = scan(line, "d")
            if values:
                header.line5Value = values[0]
        elif number == 6:
            _, values = scan(line, "d")
            if values:
                header.line6Value = values[0]


SHOT_FIELDS = ["shotNumber", "shotDay", "shotHour", "shotMinute", "shotSecond", "shotY",
               "shotX", "range", "waterDepth"]


def ReadShotRecord(table):
    """Returns "shot", "end" or raises the shot table error."""
    line = table.read_line()
    if line is None:
        return "end"
    count, values = scan(line, "ddddfffff")
    if count == 0:
        raise RunStopped("Error in shot table")
    for name, value in zip(SHOT_FIELDS, values):
        if isinstance(value, int):
            value = low_bits_signed(value, 16)
        setattr(table.record, name, value)
    return "shot"


# ---------------------------------------------------------------------------------------
# SEG-Y output

class OutputFile:
    """A created output file: its bytes and the write position."""

    def __init__(self, path, channel):
        self.path = path
        self.channel = channel
        self.data = bytearray()
        self.position = 0

    def seek(self, position):
        self.position = position

    def write(self, raw):
        end = self.position + len(raw)
        if len(self.data) < end:
            self.data += bytes(end - len(self.data))
        self.data[self.position:end] = raw
        self.position = end


class SegyOutputSet:
    def __init__(self):
        self.files = []
        self.headersPending = True
        self.traceCount = 0
        self.samplesPerTrace = 0
        self.sampleIntervalUs = 0
        self.traceHeader = bytearray(SEGY_TRACE_HEADER_SIZE)


def output_file_names(output_path, output_channel):
    stem = output_path[:-4]
    if output_channel <= 0:
        return [(stem + "ch%d.sgy" % n, n) for n in range(1, 5)]
    return [(stem + "ch%d.sgy" % output_channel, output_channel)]


def check_outputs_spare_inputs(names, input_paths, working_folder):
    def normal(path):
        return os.path.normpath(os.path.join(working_folder, path))

    inputs = {normal(p) for p in input_paths}
    for name, _ in names:
        if normal(name) in inputs:
            raise RunStopped("Output file " + name + " would overwrite an input file")


def check_log_spares_inputs(log_path, input_paths, working_folder):
    """The log is created empty before any input is read, so it must not be one of them."""
    def normal(path):
        return os.path.normpath(os.path.join(working_folder, path))

    if normal(log_path) in {normal(p) for p in input_paths}:
        raise RunStopped("Log file " + log_path + " would overwrite an input file")


def OpenOutputSet(output_path, output_channel):
    outputs = SegyOutputSet()
    outputs.files = [OutputFile(name, channel)
                     for name, channel in output_file_names(output_path, output_channel)]
    return outputs


def truncate_to_int64(x):
    """Truncation into a 64-bit integer; a value beyond its range stays at the nearest end."""
    return max(-(1 << 63), min((1 << 63) - 1, truncate(x)))


def check_window_fits_a_trace(recorder, min_time, max_time):
    samples = truncate_to_int64((max_time - min_time) * recorder.sample_rate + 0.5)
    if samples < 0 or samples > CHANNEL_BUFFER_CAPACITY:
        raise RunStopped("Time window of %d samples does not fit a trace (0 to 60000 samples)"
                         % samples)


def WriteOutputHeaders(outputs, recorder, header, min_time, max_time):
    rate = recorder.sample_rate
    for f in outputs.files:
        f.seek(0)
        f.write(recorder.ascii_header)
        f.seek(SEGY_TEXT_HEADER_SIZE)
    outputs.samplesPerTrace = truncate((max_time - min_time) * rate + 0.5) & 0xFFFF
    outputs.sampleIntervalUs = truncate(1000000.0 / rate) & 0xFFFF

    binary = bytearray(SEGY_BINARY_HEADER_SIZE)
    binary[12:14] = le16(1)
    binary[16:18] = le16(outputs.sampleIntervalUs)
    binary[18:20] = le16(outputs.sampleIntervalUs)
    binary[20:22] = le16(outputs.samplesPerTrace)
    binary[22:24] = le16(outputs.samplesPerTrace)
    binary[24:26] = le16(3)
    binary[62:64] = le16(header.line5Value)
    binary[64:66] = le16(header.line6Value)
    for k in range(4):
        binary[76 + 2 * k:78 + 2 * k] = le16(header.line3Values[k])
    binary[84:88] = le32(truncate(header.stationY * 10000.0))
    binary[88:92] = le32(truncate(header.stationX * 10000.0))
    binary[92:96] = le32(0)
    binary[96:100] = le32(truncate(header.line4Value * 1000.0))
    for f in outputs.files:
        f.seek(SEGY_TEXT_HEADER_SIZE)
        f.write(binary)

    th = outputs.traceHeader = bytearray(SEGY_TRACE_HEADER_SIZE)
    th[28:30] = le16(1)
    th[108:110] = le16(0)
    th[114:116] = le16(outputs.samplesPerTrace)
    th[116:118] = le16(outputs.sampleIntervalUs)
    th[180:184] = struct.pack("<f", to_float32(1000000.0 / rate))
    outputs.headersPending = False


def WriteTrace(outputs, shot, header, buffers):
    th = outputs.traceHeader
    th[0:4] = le32(outputs.traceCount)
    th[4:8] = le32(outputs.traceCount)
    th[8:12] = le32(shot.shotNumber)
    th[36:40] = le32(truncate(shot.range * 1000.0))
    th[60:64] = le32(RoundHalfAway(shot.waterDepth))
    th[72:76] = le32(truncate(header.stationX * 1000.0))
    th[76:80] = le32(truncate(header.stationY * 1000.0))
    th[80:84] = le32(truncate(shot.shotX * 1000.0))
    th[84:88] = le32(truncate(shot.shotY * 1000.0))
    th[158:160] = le16(shot.shotDay)
    th[160:162] = le16(shot.shotHour)
    th[162:164] = le16(shot.shotMinute)
    th[164:166] = le16(truncate(shot.shotSecond))
    th[166:168] = le16(2)
    count = outputs.samplesPerTrace
    for f in outputs.files:
        f.write(bytes(th))
        channel = buffers[f.channel - 1]
        f.write(struct.pack("<%dH" % count, *(truncate(v) & 0xFFFF for v in channel[:count])))
    outputs.traceCount = (outputs.traceCount + 1) & 0xFFFF


def FinishOutputSet(outputs):
    for f in outputs.files:
        f.seek(SEGY_TRACE_COUNT_OFFSET)
        f.write(le16(outputs.traceCount))


# ---------------------------------------------------------------------------------------
# Shot window extraction

@dataclass
class RunState:
    recorderFiles: list
    minTime: float
    maxTime: float
    log: ProcessingLog
    shotTable: ShotTable = None
    outputs: SegyOutputSet = None
    buffers: list = field(
        default_factory=lambda: [[0.0] * CHANNEL_BUFFER_CAPACITY for _ in range(4)])


def store_frame(buffers, index, frame):
    for k in range(4):
        buffers[k][index] = float(frame[k])


def store_zero(buffers, index):
    for k in range(4):
        buffers[k][index] = 0.0


def shot_offset(shot, start):
    """Seconds from the file's start to the shot: summed in double, stored in single."""
    whole = (((shot.shotDay - start.fileDay) * 24 + (shot.shotHour - start.fileHour)) * 60
             + (shot.shotMinute - start.fileMinute)) * 60
    return to_float32(float(whole) + shot.shotSecond - start.fileSecond)


def window_accepted(recorder, first_index, samples_per_trace):
    """The two window tests, on true (unbounded) integers."""
    if first_index + samples_per_trace < 0:
        return False  # the window ends before the recording begins
    # The window must begin before the end of the data; a negative position always passes.
    position = recorder.bytes_per_sample * 4 * first_index
    return position < (recorder.length & 0xFFFFFFFF) - RECORDER_HEADER_SIZE


def FillWindow(state, recorder, first_index, shot):
    """Fills from the accepting file; returns how many window samples are placed.

    Leading zeros stand for a window that begins before the first frame. Frames are read
    8 bytes at a time from 512 + 4 x bytesPerSample x index, whatever bytesPerSample is."""
    buffers = state.buffers
    samples = state.outputs.samplesPerTrace
    filled = 0
    if first_index < 0:
        for j in range(-first_index):
            store_zero(buffers, j)
        filled = -first_index
        position = RECORDER_HEADER_SIZE
        state.log.Append("\nShot %d starts before the first sample of %s", shot.shotNumber,
                         recorder.path)
    else:
        position = RECORDER_HEADER_SIZE + recorder.bytes_per_sample * 4 * first_index
    for frame in frames_from(recorder, position, samples - filled):
        store_frame(buffers, filled, frame)
        filled += 1
    return filled


def PadAtLastFile(state, shot, filled, last_path):
    for j in range(filled, state.outputs.samplesPerTrace):
        store_zero(state.buffers, j)
        state.log.Append("\n  Shot %d meets the last datafile %s", shot.shotNumber, last_path)
    WriteTrace(state.outputs, shot, state.shotTable.header, state.buffers)


def ContinueIntoNextFile(state, shot, filled, next_index):
    """Returns None when the shot is done, or the index to resume the search at."""
    nxt = ReadRecorderHeader(state.recorderFiles[next_index])
    start = ParseStartTime(nxt.header)
    if start.fileDay < 0:
        state.log.Append("\n total days not recognizable in datafile.%3d for shot #%5d",
                         next_index, shot.shotNumber)
        return next_index
    check_usable_sample_rate(nxt)
    rate = nxt.sample_rate
    samples = state.outputs.samplesPerTrace
    next_file_start = float(((start.fileDay * 24 + start.fileHour) * 60 + start.fileMinute) * 60
                            + start.fileSecond)
    shot_whole = ((shot.shotDay * 24 + shot.shotHour) * 60 + shot.shotMinute) * 60
    # t is the time of window sample `filled`; window samples before the next file's start,
    # their times counted by repeated addition of dt, are zeros. Overlaps skip nothing.
    t = (shot_whole + shot.shotSecond) + (filled / rate + state.minTime)
    dt = 1.0 / rate
    if t < next_file_start:
        while True:
            if filled >= samples:
                break
            t = t + dt
            store_zero(state.buffers, filled)
            filled += 1
            if not t < next_file_start:
                break
    for frame in frames_from(nxt, RECORDER_HEADER_SIZE, samples - filled):
        store_frame(state.buffers, filled, frame)
        filled += 1
    if filled == samples:
        WriteTrace(state.outputs, shot, state.shotTable.header, state.buffers)
        state.log.Append("\n  Shot %d is also matched to %s", shot.shotNumber, nxt.path)
        return None
    raise RunStopped("Unhanled points in program!")


def ExtractShotWindow(state, shot):
    """Searches the files from the first for one that accepts the shot's window, fills the
    window from it (and the next file, or zeros) and writes it as one trace."""
    files = state.recorderFiles
    outputs = state.outputs
    i = 0
    while i < len(files):
        recorder = ReadRecorderHeader(files[i])
        start = ParseStartTime(recorder.header)
        if start.fileDay < 0:
            state.log.Append("\n total days not recognizable in datafile.%3d for shot #%5d", i,
                             shot.shotNumber)
            i += 1
            continue
        if shot.shotDay < start.fileDay:
            i += 1
            continue
        check_usable_sample_rate(recorder)
        check_usable_sample_size(recorder)
        offset = shot_offset(shot, start)
        if outputs.headersPending:  # the first file past the day tests fixes the headers
            check_window_fits_a_trace(recorder, state.minTime, state.maxTime)
            WriteOutputHeaders(outputs, recorder, state.shotTable.header, state.minTime,
                               state.maxTime)
        start = (offset + state.minTime) * recorder.sample_rate
        if not math.isfinite(start):
            i += 1  # a shot time of nan or inf places the window in no file
            continue
        first_index = RoundHalfAway(start)
        if not window_accepted(recorder, first_index, outputs.samplesPerTrace):
            i += 1
            continue

        filled = FillWindow(state, recorder, first_index, shot)
        if filled == outputs.samplesPerTrace:
            WriteTrace(outputs, shot, state.shotTable.header, state.buffers)
            state.log.Append("\nShot %d is matched to %s", shot.shotNumber, recorder.path)
            return
        state.log.Append("\nShot %d extends beyond the last sample of %s", shot.shotNumber,
                         recorder.path)
        if i == len(files) - 1:
            PadAtLastFile(state, shot, filled, recorder.path)
            return
        resume_at = ContinueIntoNextFile(state, shot, filled, i + 1)
        if resume_at is None:
            return
        i = resume_at  # the next file's date is unreadable: search on from that file


# ---------------------------------------------------------------------------------------
# The run

@dataclass
class RunResult:
    exit_code: int
    stdout: bytes
    stderr: bytes
    files: dict  # path -> bytes of every file the run creates


def RunConversion(recorder_paths, shot_table_path, output_path, min_time_text, max_time_text,
                  channel, working_folder=None):
    """Models one run of obscut-batch with these arguments, started in working_folder.

    Recorder paths are expected absolute, as the program makes them; the other paths may
    be relative to working_folder. The files of the result are named by absolute paths."""
    working_folder = working_folder or os.getcwd()
    files = {}
    state = None
    outputs = None
    try:
        if len(recorder_paths) > MAX_RECORDER_FILES:
            raise RunStopped("Maximum number of files selected is exceeded.")
        ordered = OrderByFileNumber(recorder_paths)
        min_time = decimal_to_float32(min_time_text)
        max_time = decimal_to_float32(max_time_text)
        log_path = LogPathFor(output_path)
        output_path = NormaliseOutputPath(output_path)
        check_log_spares_inputs(log_path, list(recorder_paths) + [shot_table_path],
                                working_folder)
        state = RunState(ordered, min_time, max_time, ProcessingLog(log_path))
        for path in ordered:
            DumpAsciiHeader(ReadRecorderHeader(path), state.log)
        state.shotTable = OpenShotTable(os.path.join(working_folder, shot_table_path))
        ReadShotTableHeader(state.shotTable)
        names = output_file_names(output_path, channel)
        check_outputs_spare_inputs(names, list(recorder_paths) + [shot_table_path],
                                   working_folder)
        outputs = state.outputs = OpenOutputSet(output_path, channel)
        while ReadShotRecord(state.shotTable) == "shot":
            ExtractShotWindow(state, state.shotTable.record)
        FinishOutputSet(outputs)
        result = RunResult(0, (SUMMARY % outputs.traceCount + "\n").encode("ascii"), b"", files)
    except RunStopped as stop:
        result = RunResult(1, b"", (stop.message + "\n").encode(), files)
    if state is not None:
        files[os.path.join(working_folder, state.log.path)] = state.log.file_bytes()
    if outputs is not None:
        for f in outputs.files:
            files[os.path.join(working_folder, f.path)] = bytes(f.data)
    return result
