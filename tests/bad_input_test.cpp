// Broken, hostile and unlucky inputs fed to the real obscut-batch: files from recorders that
// ran out of battery or were copied from damaged media, shot tables that are not text, folders
// that cannot be written, a disk that fills up, paths that look like printf formats. For each
// case one table row gives the exit status, the exact message, every file the run leaves
// behind with its size, and the run must leave its inputs byte for byte as they were.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/input_snapshot.h"
#include "support/run_process.h"
#include "support/scratch_dir.h"
#include "survey/recorder_writer.h"

namespace obscut {
namespace {

namespace fs = std::filesystem;
using testing::InputSnapshot;
using testing::ProcessRequest;
using testing::ProcessResult;
using testing::ReadText;
using testing::RunProcess;
using testing::ScratchDir;
using testing::WriteBytes;
using testing::WriteText;

// Every case converts a window of 0 to 1 s at 100 samples per second: 100 samples, so every
// trace is 240 + 200 bytes.
constexpr std::uintmax_t kHeaders = 3600;                  // text and binary header
constexpr std::uintmax_t kTrace = 440;                     // trace header and samples
constexpr std::uintmax_t kNoHeadersFinished = 3214;        // only the trace count, at 3212
constexpr std::uintmax_t kText = 320;                      // the text header's written part
constexpr char kAscii[] = "05 Jan 96 12:00:00 bad input";  // starts on day 5, 12:00:00
constexpr char kLog[] = ".tempOutAsciiInfo.txt";

const std::string kHeaderLines =
    "bad input test line\n"
    "45.5 -20.25\n"
    "1 2 3 4\n"
    "0.004\n"
    "1\n"
    "2\n"
    "shot day hour min sec y x range depth\n";

// A shot line on day `day` at 12:00 and `second` seconds, as written in the table.
std::string Shot(int number, const std::string& second = "0.5", const std::string& day = "5",
                 const std::string& rest = "45.5 -20.25 4.35 1234.5") {
  return std::to_string(number) + " " + day + " 12 0 " + second + " " + rest + "\n";
}

// A recorder file of 3 s (300 frames) from 12:00:00 on day 5.
std::vector<std::uint8_t> Recording(float sampleRate = 100.0f, std::int16_t bytesPerSample = 2,
                                    const std::string& ascii = kAscii) {
  RecorderHeaderFields fields;
  fields.sampleRate = sampleRate;
  fields.bytesPerSample = bytesPerSample;
  fields.asciiHeader = ascii;
  std::vector<SampleFrame> frames;
  for (std::uint16_t k = 0; k < 300; ++k) {
    frames.push_back({k, static_cast<std::uint16_t>(k + 1000), 0x8000, 0xFFFF});
  }
  return EncodeRecorderFile(fields, frames);
}

std::vector<std::uint8_t> FirstBytes(std::vector<std::uint8_t> bytes, std::size_t count) {
  bytes.resize(count);
  return bytes;
}

// Texts in the table name the run's folder as "{dir}".
std::string InFolder(std::string text, const std::string& folder) {
  const std::string mark = "{dir}";
  for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark, at)) {
    text.replace(at, mark.size(), folder);
    at += folder.size();
  }
  return text;
}

// The log's dump block of recorder file `name` whose text header is `ascii` (no line feed).
std::string Dump(const std::string& name, const std::string& ascii = kAscii) {
  return "\r\n\r\nDump of the ascii header for file {dir}/" + name + ascii +
         std::string(320 - ascii.size(), '\0');
}

std::string Matched(int shot, const std::string& name = "OBS00001.001") {
  return "\r\nShot " + std::to_string(shot) + " is matched to {dir}/" + name;
}

std::string Summary(int traces) {
  return "A total of " + std::to_string(traces) +
         " traces processed. \nYou may need to filter or debias before properly display some "
         "data.\n";
}

// The four output files of output path {dir}/line, all of one size.
std::map<std::string, std::uintmax_t> FourOutputs(std::uintmax_t size) {
  return {
      {"linech1.sgy", size}, {"linech2.sgy", size}, {"linech3.sgy", size}, {"linech4.sgy", size}};
}

// The inputs and the command line of one case, built in a fresh folder.
class Fixture {
 public:
  explicit Fixture(const fs::path& folder) : dir_(folder.string()) {}

  const std::string& dir() const { return dir_; }
  std::string File(const std::string& name) const { return dir_ + "/" + name; }

  // Moves the run into a new subfolder of the current one, before any file is written.
  void UseFolder(const std::string& name) {
    dir_ = File(name);
    fs::create_directory(dir_);
  }

  std::string AddRecorder(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    WriteBytes(File(name), bytes);
    return AddRecorderPath(File(name));
  }
  // A recorder file argument that the case makes (or not) itself.
  std::string AddRecorderPath(const std::string& path) {
    recorders.push_back(path);
    inputs.push_back(path);
    return path;
  }
  void SetShotTable(const std::string& text, const std::string& name = "shots.txt") {
    WriteText(File(name), text);
    shotTable = File(name);
    inputs.push_back(shotTable);
  }
  // The common survey: one recorder file and a shot table of `shotLines`.
  void Standard(const std::string& shotLines = Shot(1)) {
    AddRecorder("OBS00001.001", Recording());
    SetShotTable(kHeaderLines + shotLines);
  }
  // Applied after the inputs were read for the comparison, undone before it.
  void SetPermissions(const std::string& path, fs::perms perms) { locked.push_back({path, perms}); }

  std::vector<std::string> Arguments() const {
    std::vector<std::string> arguments = {"--shot-table", shotTable,
                                          "--output",     output.empty() ? File("line") : output,
                                          "--max-time",   "1"};
    arguments.insert(arguments.end(), recorders.begin(), recorders.end());
    return arguments;
  }

  std::vector<std::string> recorders;
  std::string shotTable;
  std::string output;  // {dir}/line unless set
  std::vector<std::string> inputs;
  std::vector<std::pair<std::string, fs::perms>> locked;

 private:
  std::string dir_;
};

struct BadInputCase {
  const char* name = "";
  std::function<void(Fixture&)> build = {};
  int exitCode = 0;
  std::string err = {};
  std::string out = {};
  // Every file the run leaves in its folder besides the inputs, but for the log.
  std::map<std::string, std::uintmax_t> outputs = {};
  // The log's exact bytes; nothing: there must be no log.
  std::optional<std::string> log = std::nullopt;
  // Only the first bytes of `log` were written (the disk filled while it was written).
  std::optional<std::size_t> logPrefix = std::nullopt;
  // RLIMIT_FSIZE for the run: no file may grow beyond it, as on a disk that fills up.
  std::optional<long long> fileSizeLimit = std::nullopt;
  // Run as an ordinary user, for whom permissions count (root reads and writes anything).
  bool unprivileged = false;
};

// The regular files in `folder` and its subfolders, named relative to it.
std::set<std::string> RegularFilesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      names.insert(entry.path().lexically_relative(folder).string());
    }
  }
  return names;
}

void RunCase(const BadInputCase& c) {
  SCOPED_TRACE(c.name);
  ScratchDir scratch;
  Fixture fixture(fs::canonical(scratch.path()));
  c.build(fixture);
  const std::string& dir = fixture.dir();
  const bool dropsToNobody = c.unprivileged && geteuid() == 0;
  if (dropsToNobody) {
    // The run, as nobody, writes its log into the folder.
    fs::permissions(dir, fs::perms::all);
  }

  const InputSnapshot inputs(fixture.inputs);
  for (const auto& [path, perms] : fixture.locked) {
    fs::permissions(path, perms);
  }
  ProcessRequest request;
  request.program = OBSCUT_BATCH_PATH;
  request.arguments = fixture.Arguments();
  request.folder = dir;
  request.fileSizeLimit = c.fileSizeLimit;
  request.unprivileged = c.unprivileged;
  const ProcessResult result = RunProcess(request);
  for (const auto& [path, perms] : fixture.locked) {
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
  }

  EXPECT_EQ(result.exitCode, c.exitCode);
  EXPECT_EQ(result.err, InFolder(c.err, dir));
  EXPECT_EQ(result.out, c.out);
  inputs.ExpectUnchanged();

  std::set<std::string> inputNames;
  for (const std::string& path : fixture.inputs) {
    inputNames.insert(fs::path(path).lexically_relative(dir).string());
  }
  std::set<std::string> expectedNames;
  for (const auto& [name, size] : c.outputs) {
    expectedNames.insert(name);
    const std::string path = fixture.File(name);
    ASSERT_TRUE(fs::exists(path)) << name << " was not created";
    EXPECT_EQ(fs::file_size(path), size) << name;
  }
  if (c.log) {
    expectedNames.insert(kLog);
    std::string expected = InFolder(*c.log, dir);
    if (c.logPrefix) {
      expected.resize(*c.logPrefix);
    }
    EXPECT_EQ(ReadText(fixture.File(kLog)), expected);
  }
  std::set<std::string> left;
  for (const std::string& name : RegularFilesIn(dir)) {
    if (!inputNames.contains(name)) {
      left.insert(name);
    }
  }
  EXPECT_EQ(left, expectedNames) << "the files the run left in " << dir;
}

// The cases where a recorder file cannot be read as one.
TEST(BadInputTest, RecorderFilesThatCannotBeReadStopTheRunNamingTheFile) {
  auto withSecondFile = [](std::vector<std::uint8_t> bytes) {
    return [bytes](Fixture& f) {
      f.Standard();
      f.AddRecorder("OBS00002.001", bytes);
    };
  };
  const BadInputCase cases[] = {
      {.name = "a missing recorder file",
       .build =
           [](Fixture& f) {
             f.Standard();
             f.AddRecorderPath(f.File("OBS00002.001"));
           },
       .exitCode = 1,
       .err = "{dir}/OBS00002.001 was not found.\n",
       .log = Dump("OBS00001.001")},
      {.name = "a folder given as a recorder file",
       .build =
           [](Fixture& f) {
             f.Standard();
             fs::create_directory(f.File("OBS00002.001"));
             f.AddRecorderPath(f.File("OBS00002.001"));
           },
       .exitCode = 1,
       .err = "{dir}/OBS00002.001 is a folder, not a file.\n",
       .log = Dump("OBS00001.001")},
      {.name = "an unreadable recorder file",
       .build =
           [](Fixture& f) {
             f.Standard();
             f.SetPermissions(f.AddRecorder("OBS00002.001", Recording()), fs::perms::none);
           },
       .exitCode = 1,
       .err = "Access to {dir}/OBS00002.001 was denied.\n",
       .log = Dump("OBS00001.001"),
       .unprivileged = true},
      {.name = "an empty recorder file",
       .build = withSecondFile({}),
       .exitCode = 1,
       .err = "File {dir}/OBS00002.001 header read wrong\n",
       .log = Dump("OBS00001.001")},
      {.name = "a recorder file of 1 byte",
       .build = withSecondFile({0x30}),
       .exitCode = 1,
       .err = "File {dir}/OBS00002.001 header read wrong\n",
       .log = Dump("OBS00001.001")},
      {.name = "a recorder file of 511 bytes",
       .build = withSecondFile(FirstBytes(Recording(), 511)),
       .exitCode = 1,
       .err = "File {dir}/OBS00002.001 header read wrong\n",
       .log = Dump("OBS00001.001")},
  };
  for (const BadInputCase& c : cases) {
    RunCase(c);
  }
}

// Header values that would make every sample position meaningless stop the run at the first
// shot that reaches the file; the output files exist but hold nothing.
TEST(BadInputTest, UnusableSampleRatesAndSizesStopTheRunBeforeAnyHeaderIsWritten) {
  auto recording = [](float rate, std::int16_t size) {
    return [rate, size](Fixture& f) {
      f.AddRecorder("OBS00001.001", Recording(rate, size));
      f.SetShotTable(kHeaderLines + Shot(1));
    };
  };
  const std::string rateMessage = "File {dir}/OBS00001.001 has an unusable sample rate\n";
  const std::string sizeMessage = "File {dir}/OBS00001.001 has an unusable sample size\n";
  const BadInputCase cases[] = {
      {.name = "rate NaN",
       .build = recording(std::numeric_limits<float>::quiet_NaN(), 2),
       .exitCode = 1,
       .err = rateMessage,
       .outputs = FourOutputs(0),
       .log = Dump("OBS00001.001")},
      {.name = "rate infinite",
       .build = recording(std::numeric_limits<float>::infinity(), 2),
       .exitCode = 1,
       .err = rateMessage,
       .outputs = FourOutputs(0),
       .log = Dump("OBS00001.001")},
      {.name = "rate 0",
       .build = recording(0.0f, 2),
       .exitCode = 1,
       .err = rateMessage,
       .outputs = FourOutputs(0),
       .log = Dump("OBS00001.001")},
      {.name = "rate negative",
       .build = recording(-100.0f, 2),
       .exitCode = 1,
       .err = rateMessage,
       .outputs = FourOutputs(0),
       .log = Dump("OBS00001.001")},
      {.name = "sample size 0",
       .build = recording(100.0f, 0),
       .exitCode = 1,
       .err = sizeMessage,
       .outputs = FourOutputs(0),
       .log = Dump("OBS00001.001")},
      {.name = "sample size negative",
       .build = recording(100.0f, -2),
       .exitCode = 1,
       .err = sizeMessage,
       .outputs = FourOutputs(0),
       .log = Dump("OBS00001.001")},
  };
  for (const BadInputCase& c : cases) {
    RunCase(c);
  }
}

// Bytes that spell no date: the file is passed over with a log line, and the run finishes.
TEST(BadInputTest, StartTimesOfGarbageAndFilesOfNulBytesArePassedOverWithALogLine) {
  std::string garbage;
  for (int i = 0; i < 18; ++i) {
    garbage += static_cast<char>(0x80 + 7 * i);  // no line feed, no digit, no month
  }
  const std::string notRecognised =
      "\r\n total days not recognizable in datafile.  0 for shot #    1";
  const BadInputCase cases[] = {
      {.name = "a start time of garbage bytes",
       .build =
           [garbage](Fixture& f) {
             f.AddRecorder("OBS00001.001", Recording(100.0f, 2, garbage + " station 3"));
             f.SetShotTable(kHeaderLines + Shot(1));
           },
       .out = Summary(0),
       .outputs = FourOutputs(kNoHeadersFinished),
       .log = Dump("OBS00001.001", garbage + " station 3") + notRecognised},
      {.name = "a recorder file of NUL bytes",
       .build =
           [](Fixture& f) {
             f.AddRecorder("OBS00001.001", std::vector<std::uint8_t>(2048, 0));
             f.SetShotTable(kHeaderLines + Shot(1));
           },
       .out = Summary(0),
       .outputs = FourOutputs(kNoHeadersFinished),
       .log = Dump("OBS00001.001", "") + notRecognised},
  };
  for (const BadInputCase& c : cases) {
    RunCase(c);
  }
}

// A shot table that is not what it should be: binary, NUL bytes, lines far beyond the 399
// characters a read takes, missing or empty.
TEST(BadInputTest, ShotTablesThatAreNotTextStopTheRunWithTheShotTableMessages) {
  std::string binary;
  std::uint32_t state = 12345;
  for (int i = 0; i < 4000; ++i) {
    state = state * 1103515245u + 12345u;
    binary += static_cast<char>(state >> 24);
  }
  const std::string longTitle = std::string(100000, 'x') + "\n";
  const BadInputCase cases[] = {
      {.name = "no shot table",
       .build =
           [](Fixture& f) {
             f.AddRecorder("OBS00001.001", Recording());
             f.shotTable = f.File("shots.txt");
           },
       .exitCode = 1,
       .err = "Error opening shot table\n",
       .log = Dump("OBS00001.001")},
      {.name = "an empty shot table",
       .build =
           [](Fixture& f) {
             f.AddRecorder("OBS00001.001", Recording());
             f.SetShotTable("");
           },
       .exitCode = 1,
       .err = "Error reading header lines of shot table\n",
       .log = Dump("OBS00001.001")},
      {.name = "a shot table of NUL bytes",
       .build =
           [](Fixture& f) {
             f.AddRecorder("OBS00001.001", Recording());
             f.SetShotTable(std::string(2000, '\0'));  // five reads of 399 and one of 5
           },
       .exitCode = 1,
       .err = "Error reading header lines of shot table\n",
       .log = Dump("OBS00001.001")},
      {.name = "a shot table of binary garbage",
       .build =
           [binary](Fixture& f) {
             f.AddRecorder("OBS00001.001", Recording());
             f.SetShotTable(binary);
           },
       .exitCode = 1,
       .err = "Error in shot table\n",
       .outputs = FourOutputs(0),
       .log = Dump("OBS00001.001")},
      {.name = "a title line of 100 000 characters, read as many header and shot lines",
       .build =
           [longTitle](Fixture& f) {
             f.AddRecorder("OBS00001.001", Recording());
             f.SetShotTable(longTitle + kHeaderLines + Shot(1));
           },
       .exitCode = 1,
       .err = "Error in shot table\n",
       .outputs = FourOutputs(0),
       .log = Dump("OBS00001.001")},
      {.name = "a shot line of 100 000 characters: the trace before the error stays",
       .build =
           [](Fixture& f) {
             f.AddRecorder("OBS00001.001", Recording());
             std::string line = Shot(1);
             line.insert(line.size() - 1, " " + std::string(100000, 'y'));
             f.SetShotTable(kHeaderLines + line + Shot(2, "1.0"));
           },
       .exitCode = 1,
       .err = "Error in shot table\n",
       .outputs = FourOutputs(kHeaders + kTrace),
       .log = Dump("OBS00001.001") + Matched(1)},
      {.name = "NUL bytes among the shot lines hold no shot",
       .build =
           [](Fixture& f) {
             f.AddRecorder("OBS00001.001", Recording());
             f.SetShotTable(kHeaderLines + Shot(1) + std::string(500, '\0') + "\n" +
                            Shot(2, "1.0"));
           },
       .out = Summary(2),
       .outputs = FourOutputs(kHeaders + 2 * kTrace),
       .log = Dump("OBS00001.001") + Matched(1) + Matched(2)},
  };
  for (const BadInputCase& c : cases) {
    RunCase(c);
  }
}

// Shot values far outside what a survey has. A shot whose time is not a finite number of
// seconds gets no trace; other fields that are not finite are written as 0.
TEST(BadInputTest, ShotValuesOutsideAnySurveyGiveNoTraceOrZeroFields) {
  auto shots = [](std::string lines) {
    return [lines](Fixture& f) {
      f.AddRecorder("OBS00001.001", Recording());
      f.SetShotTable(kHeaderLines + lines);
    };
  };
  const BadInputCase cases[] = {
      {.name = "day 32767: long after the recording",
       .build = shots(Shot(1, "0.5", "32767")),
       .out = Summary(0),
       .outputs = FourOutputs(kHeaders),
       .log = Dump("OBS00001.001")},
      {.name = "a negative day: before every file's start day",
       .build = shots(Shot(1, "0.5", "-5")),
       .out = Summary(0),
       .outputs = FourOutputs(kNoHeadersFinished),
       .log = Dump("OBS00001.001")},
      // Regression: a second of "nan" gave the window the first sample index 0, so the shot
      // was accepted at the file's first frame and written as a plausible but wrong trace.
      {.name = "a second of nan",
       .build = shots(Shot(1, "nan") + Shot(2, "1.0")),
       .out = Summary(1),
       .outputs = FourOutputs(kHeaders + kTrace),
       .log = Dump("OBS00001.001") + Matched(2)},
      {.name = "seconds of inf, -inf and 1e308",
       .build = shots(Shot(1, "inf") + Shot(2, "-inf") + Shot(3, "1e308") + Shot(4, "-1e308")),
       .out = Summary(0),
       .outputs = FourOutputs(kHeaders),
       .log = Dump("OBS00001.001")},
      {.name = "positions, range and depth of 1e308 and nan",
       .build = shots(Shot(1, "0.5", "5", "1e308 nan -1e308 nan")),
       .out = Summary(1),
       .outputs = FourOutputs(kHeaders + kTrace),
       .log = Dump("OBS00001.001") + Matched(1)},
  };
  for (const BadInputCase& c : cases) {
    RunCase(c);
  }
}

TEST(BadInputTest, OutputFoldersThatCannotTakeTheLogStopTheRunBeforeAnythingIsWritten) {
  const BadInputCase cases[] = {
      {.name = "an output folder that does not exist",
       .build =
           [](Fixture& f) {
             f.Standard();
             f.output = f.File("missing/line");
           },
       .exitCode = 1,
       .err = "Can not open a temporaty file to hold the ascii header\n"},
      {.name = "a read-only output folder",
       .build =
           [](Fixture& f) {
             f.Standard();
             fs::create_directory(f.File("out"));
             f.output = f.File("out/line");
             f.SetPermissions(f.File("out"), fs::perms::owner_read | fs::perms::owner_exec |
                                                 fs::perms::group_read | fs::perms::group_exec |
                                                 fs::perms::others_read | fs::perms::others_exec);
           },
       .exitCode = 1,
       .err = "Can not open a temporaty file to hold the ascii header\n",
       .unprivileged = true},
  };
  for (const BadInputCase& c : cases) {
    RunCase(c);  // nothing in the read-only folder either: every subfolder is looked at
  }
}

// Neither an output file nor the log may take the place of an input.
TEST(BadInputTest, OutputsThatWouldOverwriteAnInputStopTheRunLeavingTheInput) {
  const BadInputCase cases[] = {
      {.name = "a recorder file named like an output file",
       .build =
           [](Fixture& f) {
             f.Standard();
             f.AddRecorder("linech2.sgy", Recording());
           },
       .exitCode = 1,
       .err = "Output file {dir}/linech2.sgy would overwrite an input file\n",
       // "ech2" stands where the file number is read: number 0, before OBS00001.001.
       .log = Dump("linech2.sgy") + Dump("OBS00001.001")},
      {.name = "a shot table named like an output file",
       .build =
           [](Fixture& f) {
             f.AddRecorder("OBS00001.001", Recording());
             f.SetShotTable(kHeaderLines + Shot(1), "linech1.sgy");
           },
       .exitCode = 1,
       .err = "Output file {dir}/linech1.sgy would overwrite an input file\n",
       .log = Dump("OBS00001.001")},
      // Regression: the log was created, and so emptied, before the inputs were read; a shot
      // table or recorder file that was the log's path was lost.
      {.name = "a shot table that is the log",
       .build =
           [](Fixture& f) {
             f.AddRecorder("OBS00001.001", Recording());
             f.SetShotTable(kHeaderLines + Shot(1), kLog);
             f.output = f.File("sub/../line");  // compared as a normal path
           },
       .exitCode = 1,
       .err = "Log file {dir}/sub/../.tempOutAsciiInfo.txt would overwrite an input file\n"},
      {.name = "a recorder file that is the log",
       .build =
           [](Fixture& f) {
             f.AddRecorder(kLog, Recording());
             f.SetShotTable(kHeaderLines + Shot(1));
           },
       .exitCode = 1,
       .err = "Log file {dir}/.tempOutAsciiInfo.txt would overwrite an input file\n"},
  };
  for (const BadInputCase& c : cases) {
    RunCase(c);
  }
}

// Paths are written into messages and the log literally: blanks, letters beyond ASCII and
// printf directives included.
TEST(BadInputTest, PathsWithBlanksLettersAndPrintfDirectivesAreWrittenLiterally) {
  const std::string folder = "run 1 %s %n %d \xc3\x86r\xc3\xb8";
  auto survey = [folder](Fixture& f) {
    f.UseFolder(folder);
    f.AddRecorder("OBS00001.001", Recording());
    f.SetShotTable(kHeaderLines + Shot(1), "shots %n%s.txt");
    f.output = f.File("line");
  };
  const BadInputCase cases[] = {
      {.name = "a finished run",
       .build = survey,
       .out = Summary(1),
       .outputs = FourOutputs(kHeaders + kTrace),
       .log = Dump("OBS00001.001") + Matched(1)},
      {.name = "a missing recorder file",
       .build =
           [survey](Fixture& f) {
             survey(f);
             f.AddRecorderPath(f.File("OBS%n%s.002"));
           },
       .exitCode = 1,
       .err = "{dir}/OBS%n%s.002 was not found.\n",
       .log = ""},  // its file number reads as 0: it comes first, before any dump
      {.name = "a short header",
       .build =
           [survey](Fixture& f) {
             survey(f);
             f.AddRecorder("OBS%s%n.%d", {1, 2, 3});
           },
       .exitCode = 1,
       .err = "File {dir}/OBS%s%n.%d header read wrong\n",
       .log = ""},
  };
  for (const BadInputCase& c : cases) {
    RunCase(c);
  }
}

// A disk that fills during the run, made with a file-size limit on the program. Every output
// file keeps exactly the headers and the whole traces written before, never part of one; the
// message names the file that could not be written.
TEST(BadInputTest, ADiskThatFillsLeavesOnlyCompleteHeadersAndTracesAndNamesTheFile) {
  const std::string threeShots = Shot(1) + Shot(2, "1.0") + Shot(3, "1.5");
  auto survey = [threeShots](Fixture& f) { f.Standard(threeShots); };
  // Traces reach the files in blocks, here all three at the end of the run, so the log names
  // every shot processed before the block was refused.
  const std::string allMatched = Dump("OBS00001.001") + Matched(1) + Matched(2) + Matched(3);
  const BadInputCase cases[] = {
      {.name = "full in the middle of the third trace",
       .build = survey,
       .exitCode = 1,
       .err = "There is not enough space on the disk to write {dir}/linech1.sgy.\n",
       .outputs = FourOutputs(kHeaders + 2 * kTrace),
       .log = allMatched,
       .fileSizeLimit = kHeaders + 2 * kTrace + 100},
      {.name = "full just after the second trace",
       .build = survey,
       .exitCode = 1,
       .err = "There is not enough space on the disk to write {dir}/linech1.sgy.\n",
       .outputs = FourOutputs(kHeaders + 2 * kTrace),
       .log = allMatched,
       .fileSizeLimit = kHeaders + 2 * kTrace},
      // The binary header cannot be written whole: each file keeps its text header.
      {.name = "full in the middle of the binary header",
       .build = survey,
       .exitCode = 1,
       .err = "There is not enough space on the disk to write {dir}/linech1.sgy.\n",
       .outputs = FourOutputs(kText),
       .log = allMatched,
       .fileSizeLimit = 3300},
      // Nothing can be written whole, the log included: it keeps what fitted.
      {.name = "full in the middle of the text header",
       .build = survey,
       .exitCode = 1,
       .err = "There is not enough space on the disk to write {dir}/linech1.sgy.\n",
       .outputs = {{"linech1.sgy", 0}, {"linech2.sgy", 0}, {"linech3.sgy", 0}, {"linech4.sgy", 0}},
       .log = Dump("OBS00001.001"),
       .logPrefix = 200,
       .fileSizeLimit = 200},
      // A run that stops early still sends the traces it has gathered; when they do not fit,
      // the stop's message is followed by the file error.
      {.name = "full when a stopped run sends its last traces",
       .build = [](Fixture& f) { f.Standard(Shot(1) + Shot(2, "1.0") + "x\n"); },
       .exitCode = 1,
       .err = "Error in shot table\nThere is not enough space on the disk to write "
              "{dir}/linech1.sgy.\n",
       .outputs = FourOutputs(kHeaders + kTrace),
       .log = Dump("OBS00001.001") + Matched(1) + Matched(2),
       .fileSizeLimit = kHeaders + kTrace + 100},
      // Regression: a log that could not be written was not noticed, and the run reported
      // success with a log that lacked lines.
      {.name = "full while the log is written",
       .build = [](Fixture& f) { f.Standard(""); },
       .exitCode = 1,
       .err = "There is not enough space on the disk to write {dir}/.tempOutAsciiInfo.txt.\n",
       .outputs = FourOutputs(0),
       .log = Dump("OBS00001.001"),
       .logPrefix = 300,
       .fileSizeLimit = 300},
  };
  for (const BadInputCase& c : cases) {
    RunCase(c);
  }
}

// What a full disk leaves is byte for byte the beginning of what the whole run writes: the same
// headers and traces, only the trace count field keeps the 1 of an unfinished run.
TEST(BadInputTest, ADiskThatFillsLeavesTheBytesOfTheWholeRunUpToTheLastCompleteTrace) {
  ScratchDir scratch;
  Fixture fixture(fs::canonical(scratch.path()));
  fixture.Standard(Shot(1) + Shot(2, "1.0") + Shot(3, "1.5"));
  ProcessRequest request;
  request.program = OBSCUT_BATCH_PATH;
  request.arguments = fixture.Arguments();
  request.folder = fixture.dir();
  ASSERT_EQ(RunProcess(request).exitCode, 0);
  std::vector<std::vector<std::uint8_t>> whole;
  for (int channel = 1; channel <= 4; ++channel) {
    whole.push_back(testing::ReadBytes(fixture.File("linech" + std::to_string(channel) + ".sgy")));
    ASSERT_EQ(whole.back().size(), kHeaders + 3 * kTrace);
  }

  request.fileSizeLimit = kHeaders + 2 * kTrace + kTrace / 2;
  ASSERT_EQ(RunProcess(request).exitCode, 1);

  for (int channel = 1; channel <= 4; ++channel) {
    SCOPED_TRACE(channel);
    std::vector<std::uint8_t> expected = whole[static_cast<std::size_t>(channel - 1)];
    expected.resize(kHeaders + 2 * kTrace);
    expected[3212] = 1;  // traces per record, as the headers wrote it
    expected[3213] = 0;
    EXPECT_EQ(testing::ReadBytes(fixture.File("linech" + std::to_string(channel) + ".sgy")),
              expected);
  }
}

}  // namespace
}  // namespace obscut

#endif  // _WIN32
