// One conversion run driven through a scripted front end: the order of its steps, every way
// it ends, and the processing log it leaves behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_error.h"
#include "run/run_conversion.h"
#include "support/input_snapshot.h"
#include "support/scratch_dir.h"
#include "survey/recorder_writer.h"

namespace obscut {
namespace {

using testing::ReadBytes;
using testing::ReadText;
using testing::ScratchDir;
using testing::WriteBytes;
using testing::WriteText;

constexpr char kSummary0[] =
    "A total of 0 traces processed. \nYou may need to filter or debias before properly display "
    "some data.";

// Answers the run's questions from a script and writes down every call, in order.
class ScriptedFrontEnd : public FrontEnd {
 public:
  std::optional<std::vector<std::string>> files;  // nothing: the file dialog is cancelled
  std::optional<RunSettings> settings;            // nothing: the settings dialog is cancelled
  // Read when a file error is reported, to see what the log holds at that moment.
  std::string logToInspect;

  std::vector<std::string> events;
  std::vector<RunProgress> progress;
  std::optional<RunSettings> presetsSeen;
  std::optional<std::string> logWhenShown;
  std::optional<std::string> logWhenFileErrorReported;

  std::optional<std::vector<std::string>> SelectRecorderFiles() override {
    events.push_back("select files");
    return files;
  }
  std::optional<RunSettings> AskRunSettings(const RunSettings& presets) override {
    events.push_back("ask settings");
    presetsSeen = presets;
    return settings;
  }
  void ShowMessage(const std::string& text) override { events.push_back("message: " + text); }
  void ShowSummary(const std::string& text) override { events.push_back("summary: " + text); }
  void ReportProgress(const RunProgress& p) override {
    events.push_back("progress " + std::to_string(p.shotLinesRead));
    progress.push_back(p);
  }
  void ShowLog(const std::string& logPath) override {
    events.push_back("show log: " + logPath);
    if (std::filesystem::exists(logPath)) {
      logWhenShown = ReadText(logPath);
    }
  }
  void EndMainWindow() override { events.push_back("end main window"); }
  void ReportFileError(const FileError& error) override {
    events.push_back(std::string("file error: ") + error.what());
    if (!logToInspect.empty() && std::filesystem::exists(logToInspect)) {
      logWhenFileErrorReported = ReadText(logToInspect);
    }
  }
};

// Makes `folder` the current folder for the life of the object.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::filesystem::path& folder)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~CurrentFolder() { std::filesystem::current_path(previous_); }
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

const std::string kShotTableHeader =
    "Line 7 refraction shots\n"
    "45.5 -20.25\n"
    "1 2 3 4\n"
    "0.004\n"
    "1\n"
    "2\n"
    "shot day hour min sec y x range depth\n";

std::string ShotLine(int number) {
  return std::to_string(number) + " 5 12 30 15.5 45.6 -20.3 1200.0 3400.0\n";
}

// A 512-byte recorder file whose text header is `ascii` followed by zero bytes.
std::vector<std::uint8_t> RecorderFileBytes(const std::string& ascii) {
  RecorderHeaderFields fields;
  fields.asciiHeader = ascii;
  return EncodeRecorderFile(fields, {});
}

const std::string kPlainAscii = "05 Jan 96 12:00:00 station 3";

// The log's dump block of a file whose header is kPlainAscii: no line feed among its bytes.
std::string PlainDumpBlock(const std::string& path) {
  return "\r\n\r\nDump of the ascii header for file " + path + kPlainAscii +
         std::string(320 - kPlainAscii.size(), '\0');
}

class RunConversionTest : public ::testing::Test {
 protected:
  // Writes an input file into the scratch folder; it is checked to be unchanged at the end.
  std::string AddInput(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = scratch_.File(name);
    WriteBytes(path, bytes);
    inputs_[path] = bytes;
    return path;
  }
  std::string AddInput(const std::string& name, const std::string& text) {
    return AddInput(name, std::vector<std::uint8_t>(text.begin(), text.end()));
  }

  RunSettings SettingsWithTable(const std::string& shotTablePath) const {
    RunSettings settings = RunPresets();
    settings.shotTablePath = shotTablePath;
    settings.outputPath = scratch_.File("line1");
    return settings;
  }

  std::string LogPath() const { return scratch_.File(".tempOutAsciiInfo.txt"); }

  std::set<std::string> FilesInScratch() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(scratch_.path())) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  std::set<std::string> InputNames() const {
    std::set<std::string> names;
    for (const auto& [path, bytes] : inputs_) {
      names.insert(std::filesystem::path(path).filename().string());
    }
    return names;
  }

  void TearDown() override {
    for (const auto& [path, bytes] : inputs_) {
      EXPECT_EQ(ReadBytes(path), bytes) << path << " was changed by the run";
    }
  }

  ScratchDir scratch_;
  ScriptedFrontEnd ui_;

 private:
  std::map<std::string, std::vector<std::uint8_t>> inputs_;
};

TEST_F(RunConversionTest, CancelInTheFileDialogEndsTheRunBeforeTheSettingsAreAsked) {
  AddInput("OBS00001.001", RecorderFileBytes(kPlainAscii));
  const CurrentFolder inside(scratch_.path());
  ui_.files = std::nullopt;
  ui_.settings = SettingsWithTable(AddInput("shots.txt", kShotTableHeader));

  EXPECT_EQ(RunConversion(ui_), RunOutcome::kCancelled);

  EXPECT_EQ(ui_.events, (std::vector<std::string>{"select files"}));
  EXPECT_EQ(FilesInScratch(), InputNames());
}

TEST_F(RunConversionTest, CancelInTheSettingsDialogCreatesNoFileNotEvenTheLog) {
  const std::string recorder = AddInput("OBS00001.001", RecorderFileBytes(kPlainAscii));
  const CurrentFolder inside(scratch_.path());
  ui_.files = std::vector<std::string>{recorder};
  ui_.settings = std::nullopt;

  EXPECT_EQ(RunConversion(ui_), RunOutcome::kCancelled);

  EXPECT_EQ(ui_.events, (std::vector<std::string>{"select files", "ask settings"}));
  EXPECT_EQ(FilesInScratch(), InputNames());
}

TEST_F(RunConversionTest, TheSettingsDialogStartsFromThePresets) {
  ui_.files = std::vector<std::string>{};
  ui_.settings = std::nullopt;

  RunConversion(ui_);

  ASSERT_TRUE(ui_.presetsSeen.has_value());
  EXPECT_EQ(ui_.presetsSeen->maxTime, 60.0f);
  EXPECT_EQ(ui_.presetsSeen->minTime, 0.0f);
  EXPECT_EQ(ui_.presetsSeen->outputChannel, 0);
  EXPECT_EQ(ui_.presetsSeen->shotTablePath, "");
  EXPECT_EQ(ui_.presetsSeen->outputPath, "");
}

TEST_F(RunConversionTest, RefusesTheThousandthFileBeforeAnyFileIsOpened) {
  struct Case {
    const char* name;
    int files;
    int emptyNames;
    std::vector<std::string> expectedEvents;
  };
  // The paths do not exist: a run that opened any of them would end with a file error.
  const std::string first = "/nonexistent-obscut-folder/OBS00001.001";
  const Case cases[] = {
      {"999 files are accepted",
       999,
       0,
       {"select files", "ask settings", "file error: " + first + " was not found."}},
      {"empty names do not count",
       999,
       5,
       {"select files", "ask settings", "file error: " + first + " was not found."}},
      {"1000 files are refused",
       1000,
       0,
       {"select files", "message: Maximum number of files selected is exceeded."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedFrontEnd ui;
    std::vector<std::string> names;
    for (int i = c.files; i >= 1; --i) {
      char name[64];
      std::snprintf(name, sizeof(name), "/nonexistent-obscut-folder/OBS%05d.001", i);
      names.push_back(name);
      if (i <= c.emptyNames) {
        names.push_back("");
      }
    }
    ui.files = names;
    ui.settings = SettingsWithTable(scratch_.File("shots.txt"));
    const CurrentFolder inside(scratch_.path());

    EXPECT_EQ(RunConversionReportingFileErrors(ui), RunOutcome::kStopped);

    EXPECT_EQ(ui.events, c.expectedEvents);
    if (c.files == 1000) {
      EXPECT_FALSE(std::filesystem::exists(LogPath())) << "the log was created";
    }
    std::filesystem::remove(LogPath());
  }
}

TEST_F(RunConversionTest, SkipsEmptyNamesFromTheFileDialog) {
  const std::string recorder = AddInput("OBS00001.001", RecorderFileBytes(kPlainAscii));
  ui_.files = std::vector<std::string>{"", recorder, ""};
  ui_.settings = SettingsWithTable(AddInput("shots.txt", kShotTableHeader));

  EXPECT_EQ(RunConversion(ui_), RunOutcome::kFinished);

  EXPECT_EQ(ReadText(LogPath()), PlainDumpBlock(recorder));
}

TEST_F(RunConversionTest, StopsWhenTheLogCannotBeCreatedBeforeAnyRecorderFileIsOpened) {
  const CurrentFolder inside(scratch_.path());
  ui_.files = std::vector<std::string>{scratch_.File("OBS00001.001")};  // does not exist
  ui_.settings = SettingsWithTable(AddInput("shots.txt", kShotTableHeader));
  ui_.settings->outputPath = scratch_.File("missing-folder/line1");

  EXPECT_EQ(RunConversion(ui_), RunOutcome::kStopped);

  EXPECT_EQ(ui_.events,
            (std::vector<std::string>{"select files", "ask settings",
                                      "message: Can not open a temporaty file to hold the "
                                      "ascii header"}));
  EXPECT_EQ(FilesInScratch(), InputNames());
}

TEST_F(RunConversionTest, AShortHeaderStopsTheDumpPassWithTheDumpsOfTheFilesBeforeIt) {
  const std::string first = AddInput("OBS00001.001", RecorderFileBytes(kPlainAscii));
  const std::string second = AddInput("OBS00002.001", RecorderFileBytes(kPlainAscii));
  const std::string shortFile =
      AddInput("OBS00003.001", std::vector<std::uint8_t>(300, std::uint8_t{'x'}));
  ui_.files = std::vector<std::string>{shortFile, second, first};
  // The shot table is never reached: a missing one would give a message of its own.
  ui_.settings = SettingsWithTable(scratch_.File("no-such-shot-table.txt"));

  EXPECT_EQ(RunConversion(ui_), RunOutcome::kStopped);

  EXPECT_EQ(ui_.events,
            (std::vector<std::string>{"select files", "ask settings",
                                      "message: File " + shortFile + " header read wrong"}));
  EXPECT_EQ(ReadText(LogPath()), PlainDumpBlock(first) + PlainDumpBlock(second));
}

TEST_F(RunConversionTest, StopsOnAShotTableThatCannotBeReadLeavingTheLogWithItsDump) {
  struct Case {
    const char* name;
    std::optional<std::string> table;  // nothing: no such file
    bool tableIsFolder;
    int shotLinesBeforeStop;
    const char* message;
  };
  std::string fourShotsThenBad = kShotTableHeader;
  for (int shot = 1; shot <= 4; ++shot) {
    fourShotsThenBad += ShotLine(shot);
  }
  fourShotsThenBad += "x5 5 12 30 15.5 45.6 -20.3 1200.0 3400.0\n" + ShotLine(6);
  const std::string sixLines = kShotTableHeader.substr(0, kShotTableHeader.rfind("shot day"));
  const Case cases[] = {
      {"no shot table", std::nullopt, false, 0, "Error opening shot table"},
      {"a folder for a shot table", std::nullopt, true, 0, "Error opening shot table"},
      {"six header lines", sixLines, false, 0, "Error reading header lines of shot table"},
      {"an empty shot table", "", false, 0, "Error reading header lines of shot table"},
      {"the fifth shot line bad", fourShotsThenBad, false, 4, "Error in shot table"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir scratch;
    const std::string recorder = scratch.File("OBS00001.001");
    WriteBytes(recorder, RecorderFileBytes(kPlainAscii));
    std::string table = scratch.File("shots.txt");
    if (c.table) {
      WriteText(table, *c.table);
    }
    if (c.tableIsFolder) {
      table = scratch.path().string();
    }
    ScriptedFrontEnd ui;
    ui.files = std::vector<std::string>{recorder};
    ui.settings = RunPresets();
    ui.settings->shotTablePath = table;
    ui.settings->outputPath = scratch.File("line1");
    const testing::InputSnapshot inputs({recorder, table});

    EXPECT_EQ(RunConversion(ui), RunOutcome::kStopped);

    inputs.ExpectUnchanged();

    std::vector<std::string> expected{"select files", "ask settings"};
    for (int shot = 1; shot <= c.shotLinesBeforeStop; ++shot) {
      expected.push_back("progress " + std::to_string(shot));
    }
    expected.push_back(std::string("message: ") + c.message);
    EXPECT_EQ(ui.events, expected);
    EXPECT_EQ(ReadText(scratch.File(".tempOutAsciiInfo.txt")), PlainDumpBlock(recorder));
  }
}

TEST_F(RunConversionTest, ASevenLineShotTableFinishesWithTheSummaryThenTheLogThenTheEnd) {
  const std::string recorder = AddInput("OBS00001.001", RecorderFileBytes(kPlainAscii));
  ui_.files = std::vector<std::string>{recorder};
  ui_.settings = SettingsWithTable(AddInput("shots.txt", kShotTableHeader));

  EXPECT_EQ(RunConversion(ui_), RunOutcome::kFinished);

  EXPECT_EQ(ui_.events, (std::vector<std::string>{"select files", "ask settings",
                                                  std::string("summary: ") + kSummary0,
                                                  "show log: " + LogPath(), "end main window"}));
  // The log is complete on disk by the time it is offered.
  EXPECT_EQ(ui_.logWhenShown, PlainDumpBlock(recorder));
}

TEST_F(RunConversionTest, AMissingRecorderFileIsAFileErrorThatLeavesTheLogClosedOnDisk) {
  const std::string present = AddInput("OBS00001.001", RecorderFileBytes(kPlainAscii));
  const std::string missing = scratch_.File("OBS00002.001");
  ui_.files = std::vector<std::string>{missing, present};
  ui_.settings = SettingsWithTable(AddInput("shots.txt", kShotTableHeader));
  ui_.logToInspect = LogPath();

  EXPECT_EQ(RunConversionReportingFileErrors(ui_), RunOutcome::kStopped);

  EXPECT_EQ(ui_.events, (std::vector<std::string>{"select files", "ask settings",
                                                  "file error: " + missing + " was not found."}));
  EXPECT_EQ(ui_.logWhenFileErrorReported, PlainDumpBlock(present));
  EXPECT_EQ(ReadText(LogPath()), PlainDumpBlock(present));
}

TEST_F(RunConversionTest, RunConversionLeavesAFileErrorToItsCaller) {
  const std::string missing = scratch_.File("OBS00002.001");
  ui_.files = std::vector<std::string>{missing};
  ui_.settings = SettingsWithTable(AddInput("shots.txt", kShotTableHeader));

  try {
    RunConversion(ui_);
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& error) {
    EXPECT_EQ(error.path(), missing);
    EXPECT_EQ(error.cause(), FileError::Cause::kNotFound);
  }
  EXPECT_EQ(ui_.events, (std::vector<std::string>{"select files", "ask settings"}));
}

TEST_F(RunConversionTest,
       WritesTheDumpsInFileNumberOrderWithEveryLineFeedAsCarriageReturnLineFeed) {
  // Header 1: NUL bytes, a line feed, a carriage return with line feed, a byte above 127, and
  // a last byte that is not zero, so that all 320 bytes must be copied.
  std::string ascii1 = "05 Jan 96 12:00:00";
  ascii1 += std::string(2, '\0');
  ascii1 += "line A\nline B\r\n\xff";
  ascii1 += " end";
  ASSERT_EQ(ascii1.size(), 40u);
  ascii1 += std::string(279, '\0') + "Z";
  const std::string ascii2 = "06 Jan 96 00:00:00\nsecond\n";

  // Given in reverse order; the file numbers put OBS00001 first.
  const std::string file2 = AddInput("OBS00002.001", RecorderFileBytes(ascii2));
  const std::string file1 = AddInput("OBS00001.001", RecorderFileBytes(ascii1));
  ui_.files = std::vector<std::string>{file2, file1};
  ui_.settings = SettingsWithTable(AddInput("shots.txt", kShotTableHeader));

  EXPECT_EQ(RunConversion(ui_), RunOutcome::kFinished);

  std::string expected = "\r\n\r\nDump of the ascii header for file " + file1;
  expected += "05 Jan 96 12:00:00";
  expected += std::string(2, '\0');
  expected += "line A\r\nline B\r\r\n\xff";
  expected += " end";
  expected += std::string(279, '\0') + "Z";
  expected += "\r\n\r\nDump of the ascii header for file " + file2;
  expected += "06 Jan 96 00:00:00\r\nsecond\r\n";
  expected += std::string(294, '\0');
  EXPECT_EQ(ReadText(LogPath()), expected);
}

TEST_F(RunConversionTest, ARunWithoutRecorderFilesLeavesAnEmptyLogAndStillFinishes) {
  ui_.files = std::vector<std::string>{};
  ui_.settings = SettingsWithTable(AddInput("shots.txt", kShotTableHeader + ShotLine(17)));

  EXPECT_EQ(RunConversion(ui_), RunOutcome::kFinished);

  EXPECT_EQ(ui_.events, (std::vector<std::string>{"select files", "ask settings", "progress 1",
                                                  std::string("summary: ") + kSummary0,
                                                  "show log: " + LogPath(), "end main window"}));
  EXPECT_EQ(ReadBytes(LogPath()).size(), 0u);
}

TEST_F(RunConversionTest, EmptiesTheLogOfAnEarlierRun) {
  WriteText(LogPath(), "the log of an earlier run\r\n");
  ui_.files = std::vector<std::string>{};
  ui_.settings = SettingsWithTable(AddInput("shots.txt", kShotTableHeader));

  EXPECT_EQ(RunConversion(ui_), RunOutcome::kFinished);

  EXPECT_EQ(ReadBytes(LogPath()).size(), 0u);
}

TEST_F(RunConversionTest, ARelativeOutputPathWithoutFolderPutsTheLogInTheCurrentFolder) {
  const std::string recorder = AddInput("OBS00001.001", RecorderFileBytes(kPlainAscii));
  ScratchDir elsewhere;
  const CurrentFolder inside(elsewhere.path());
  ui_.files = std::vector<std::string>{recorder};
  ui_.settings = SettingsWithTable(AddInput("shots.txt", kShotTableHeader));
  ui_.settings->outputPath = "line1";

  EXPECT_EQ(RunConversion(ui_), RunOutcome::kFinished);

  EXPECT_EQ(ui_.events, (std::vector<std::string>{
                            "select files", "ask settings", std::string("summary: ") + kSummary0,
                            "show log: .tempOutAsciiInfo.txt", "end main window"}));
  EXPECT_EQ(ReadText(elsewhere.File(".tempOutAsciiInfo.txt")), PlainDumpBlock(recorder));
  EXPECT_FALSE(std::filesystem::exists(LogPath()));
}

TEST_F(RunConversionTest, ReportsProgressOnceForEveryShotLineRead) {
  // A line of nothing but white space holds no shot; the last line has no line end.
  const std::string table =
      kShotTableHeader + ShotLine(1) + " \t \n" + ShotLine(2) + "3 5 12 30 15.5 1 2 3 4";
  const std::string tablePath = AddInput("shots.txt", table);
  ui_.files = std::vector<std::string>{};
  ui_.settings = SettingsWithTable(tablePath);

  EXPECT_EQ(RunConversion(ui_), RunOutcome::kFinished);

  ASSERT_EQ(ui_.progress.size(), 3u);
  const auto header = static_cast<std::int64_t>(kShotTableHeader.size());
  const auto line = static_cast<std::int64_t>(ShotLine(1).size());
  const std::int64_t expectedBytesRead[] = {header + line, header + line + 4 + line,
                                            static_cast<std::int64_t>(table.size())};
  for (std::size_t i = 0; i < ui_.progress.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(ui_.progress[i].shotLinesRead, static_cast<std::int64_t>(i + 1));
    EXPECT_EQ(ui_.progress[i].shotTableBytesRead, expectedBytesRead[i]);
    EXPECT_EQ(ui_.progress[i].shotTableLength, static_cast<std::int64_t>(table.size()));
  }
  EXPECT_EQ(ui_.events[2], "progress 1");
  EXPECT_EQ(ui_.events[4], "progress 3");
  EXPECT_EQ(ui_.events[5], std::string("summary: ") + kSummary0);
}

}  // namespace
}  // namespace obscut
