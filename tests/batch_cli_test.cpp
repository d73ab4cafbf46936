// The command line of obscut-batch: how its arguments are read, and what the program prints
// and returns when it is run.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_options.h"
#include "support/run_process.h"
#include "support/scratch_dir.h"
#include "survey/recorder_writer.h"

namespace obscut {
namespace {

using testing::ProcessResult;
using testing::ReadBytes;
using testing::ReadText;
using testing::RunProcess;
using testing::ScratchDir;
using testing::WriteBytes;
using testing::WriteText;

// A command line that asks for a run, and the request it gives. Rows name only what differs
// from the defaults.
struct RunCase {
  const char* name;
  std::vector<std::string_view> arguments;
  std::vector<std::string> files = {};
  std::string shotTable = "t";
  std::string output = "o";
  float minTime = 0.0f;
  float maxTime = 60.0f;
  int channel = 0;
  bool showLog = false;
};

TEST(ParseBatchArguments, ReadsTheRequestOfARun) {
  const RunCase cases[] = {
      {.name = "defaults",
       .arguments = {"--shot-table", "t.txt", "--output", "out/line1", "OBS1", "OBS2"},
       .files = {"OBS1", "OBS2"},
       .shotTable = "t.txt",
       .output = "out/line1"},
      {.name = "options anywhere among the files",
       .arguments = {"a", "--output", "o", "b", "--channel", "2", "--shot-table", "t", "c",
                     "--show-log"},
       .files = {"a", "b", "c"},
       .channel = 2,
       .showLog = true},
      {.name = "values after '='",
       .arguments = {"--shot-table=t", "--output=o=p", "--min-time=-5", "--max-time=30.5",
                     "--channel=4", "f"},
       .files = {"f"},
       .output = "o=p",
       .minTime = -5.0f,
       .maxTime = 30.5f,
       .channel = 4},
      {.name = "an empty value after '='",
       .arguments = {"--shot-table=", "--output=", "f"},
       .files = {"f"},
       .shotTable = "",
       .output = ""},
      {.name = "a negative minimum time as the next argument",
       .arguments = {"--shot-table", "t", "--output", "o", "--min-time", "-10", "--max-time", "50"},
       .minTime = -10.0f,
       .maxTime = 50.0f},
      {.name = "'--' ends the options",
       .arguments = {"--shot-table", "t", "--output", "o", "--", "--channel", "-x", "--help", "--"},
       .files = {"--channel", "-x", "--help", "--"}},
      {.name = "a lone '-' is a file name",
       .arguments = {"-", "--shot-table", "t", "--output", "o"},
       .files = {"-"}},
      {.name = "numbers as the settings dialog takes them",
       .arguments = {"--shot-table", "t", "--output", "o", "--max-time", " 1e2 ", "--channel",
                     " 3 "},
       .maxTime = 100.0f,
       .channel = 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const BatchArguments parsed = ParseBatchArguments(c.arguments);
    ASSERT_EQ(parsed.action, BatchArguments::Action::kRun) << parsed.problem;
    const BatchRequest& request = parsed.request;
    EXPECT_EQ(request.recorderFiles, c.files);
    EXPECT_EQ(request.settings.shotTablePath, c.shotTable);
    EXPECT_EQ(request.settings.outputPath, c.output);
    EXPECT_EQ(request.settings.minTime, c.minTime);
    EXPECT_EQ(request.settings.maxTime, c.maxTime);
    EXPECT_EQ(request.settings.outputChannel, c.channel);
    EXPECT_EQ(request.showLog, c.showLog);
  }
}

struct OtherActionCase {
  const char* name;
  std::vector<std::string_view> arguments;
  BatchArguments::Action action;
  std::string problem;  // what a usage error names
};

TEST(ParseBatchArguments, AnswersHelpVersionAndWrongCommandLines) {
  using Action = BatchArguments::Action;
  const OtherActionCase cases[] = {
      {"--help", {"--help"}, Action::kHelp, ""},
      {"-h among other arguments", {"--output", "o", "f", "-h"}, Action::kHelp, ""},
      {"--version", {"f", "--version"}, Action::kVersion, ""},
      {"no argument", {}, Action::kUsageError, "--shot-table is required"},
      {"no shot table", {"--output", "o", "f"}, Action::kUsageError, "--shot-table is required"},
      {"no output", {"--shot-table", "t", "f"}, Action::kUsageError, "--output is required"},
      {"unknown option",
       {"--shot-table", "t", "--output", "o", "--fast"},
       Action::kUsageError,
       "unknown option --fast"},
      {"unknown option with a value", {"--speed=3"}, Action::kUsageError, "unknown option --speed"},
      {"unknown short option", {"-x"}, Action::kUsageError, "unknown option -x"},
      {"missing value",
       {"--shot-table", "t", "--output"},
       Action::kUsageError,
       "option --output needs a value"},
      {"bad maximum time",
       {"--shot-table", "t", "--output", "o", "--max-time", "60s"},
       Action::kUsageError,
       "--max-time: Please enter a number."},
      {"bad minimum time",
       {"--shot-table", "t", "--output", "o", "--min-time", "-0"},
       Action::kUsageError,
       "--min-time: Please enter a number."},
      {"the maximum time is checked first",
       {"--shot-table", "t", "--output", "o", "--min-time", "x", "--max-time", "y"},
       Action::kUsageError,
       "--max-time: Please enter a number."},
      {"channel not an integer",
       {"--shot-table", "t", "--output", "o", "--channel", "3.0"},
       Action::kUsageError,
       "--channel: Please enter an integer."},
      {"channel out of range",
       {"--shot-table", "t", "--output", "o", "--channel=5"},
       Action::kUsageError,
       "--channel: Please enter an integer between 0 and 4."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const BatchArguments parsed = ParseBatchArguments(c.arguments);
    EXPECT_EQ(parsed.action, c.action);
    EXPECT_EQ(parsed.problem, c.problem);
  }
}

TEST(BatchUsage, MentionsEveryOption) {
  const std::string usage = BatchUsage("obscut-batch");
  for (const char* option : {"--shot-table", "--output", "--min-time", "--max-time", "--channel",
                             "--show-log", "--help", "--version", "  --  "}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
}

#ifndef _WIN32

constexpr char kSummary[] =
    "A total of 0 traces processed. \nYou may need to filter or debias before properly display "
    "some data.\n";

const std::string kShotTable =
    "Line 7 refraction shots\n"
    "45.5 -20.25\n"
    "1 2 3 4\n"
    "0.004\n"
    "1\n"
    "2\n"
    "shot day hour min sec y x range depth\n";

const std::string kAscii = "05 Jan 96 12:00:00 station 3";

std::vector<std::uint8_t> RecorderFileBytes() {
  RecorderHeaderFields fields;
  fields.asciiHeader = kAscii;
  return EncodeRecorderFile(fields, {});
}

std::string DumpBlock(const std::string& path) {
  return "\r\n\r\nDump of the ascii header for file " + path + kAscii +
         std::string(320 - kAscii.size(), '\0');
}

// Runs obscut-batch in `folder` with standard input empty and both output streams captured
// into files (so neither is a terminal), or standard error on a pseudo-terminal.
ProcessResult RunBatch(const std::vector<std::string>& arguments,
                       const std::filesystem::path& folder, bool errOnTerminal = false) {
  testing::ProcessRequest request;
  request.program = OBSCUT_BATCH_PATH;
  request.arguments = arguments;
  request.folder = folder;
  request.errOnTerminal = errOnTerminal;
  return RunProcess(request);
}

// The folder as the system names it when it is the current folder (symbolic links resolved).
std::string RealPath(const std::filesystem::path& folder) {
  return std::filesystem::canonical(folder).string();
}

class BatchProgramTest : public ::testing::Test {
 protected:
  std::string AddInput(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    WriteBytes(path, bytes);
    inputs_.push_back({path, bytes});
    return path;
  }
  std::string AddInput(const std::string& path, const std::string& text) {
    return AddInput(path, std::vector<std::uint8_t>(text.begin(), text.end()));
  }

  void TearDown() override {
    for (const auto& [path, bytes] : inputs_) {
      EXPECT_EQ(ReadBytes(path), bytes) << path << " was changed by the run";
    }
  }

  ScratchDir scratch_;

 private:
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> inputs_;
};

TEST_F(BatchProgramTest, AFinishedRunExitsZeroWithTheSummaryOnStandardOutputOnly) {
  const std::string recorder = AddInput(scratch_.File("OBS00001.001"), RecorderFileBytes());
  const std::string table = AddInput(scratch_.File("shots.txt"), kShotTable);

  const ProcessResult result = RunBatch(
      {"--shot-table", table, "--output", scratch_.File("line1"), recorder}, scratch_.path());

  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, kSummary);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadText(scratch_.File(".tempOutAsciiInfo.txt")), DumpBlock(recorder));
}

TEST_F(BatchProgramTest, AStoppedRunExitsOneWithJustTheMessageOnStandardError) {
  const std::string recorder = AddInput(scratch_.File("OBS00001.001"), RecorderFileBytes());
  const std::string shortFile =
      AddInput(scratch_.File("OBS00002.001"), std::vector<std::uint8_t>(300, 0));
  const std::string table = AddInput(scratch_.File("shots.txt"), kShotTable);
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    std::string err;
  } cases[] = {
      {"no shot table",
       {"--shot-table", scratch_.File("none.txt"), "--output", scratch_.File("line1"), recorder},
       "Error opening shot table\n"},
      {"a short header",
       {"--shot-table", table, "--output", scratch_.File("line1"), shortFile, recorder},
       "File " + shortFile + " header read wrong\n"},
      {"the log cannot be created",
       {"--shot-table", table, "--output", scratch_.File("none/line1"), recorder},
       "Can not open a temporaty file to hold the ascii header\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ProcessResult result = RunBatch(c.arguments, scratch_.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, c.err);
  }
}

TEST_F(BatchProgramTest, AMissingRecorderFileExitsOneNamingItsAbsolutePath) {
  const std::string table = AddInput(scratch_.File("shots.txt"), kShotTable);

  const ProcessResult result =
      RunBatch({"--shot-table", table, "--output", "line1", "OBS00009.001"}, scratch_.path());

  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, RealPath(scratch_.path()) + "/OBS00009.001 was not found.\n");
}

TEST_F(BatchProgramTest, AWrongCommandLineExitsTwoBeforeAnythingIsWritten) {
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    std::string firstLine;
  } cases[] = {
      {"no argument", {}, "obscut-batch: --shot-table is required\n"},
      {"unknown option",
       {"--shot-table", "t", "--output", "o", "--fast"},
       "obscut-batch: unknown option --fast\n"},
      {"bad channel",
       {"--shot-table", "t", "--output", "o", "--channel", "9"},
       "obscut-batch: --channel: Please enter an integer between 0 and 4.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ProcessResult result = RunBatch(c.arguments, scratch_.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.substr(0, c.firstLine.size()), c.firstLine);
  }
  EXPECT_TRUE(std::filesystem::is_empty(scratch_.path()));
}

// Regression: an empty recorder-file argument (an empty shell variable, say) ended the program
// with an uncaught exception while the name was made absolute. It is now passed over like an
// empty name from the file dialog.
TEST_F(BatchProgramTest, PassesOverAnEmptyRecorderFileArgument) {
  const std::string recorder = AddInput(scratch_.File("OBS00001.001"), RecorderFileBytes());
  const std::string table = AddInput(scratch_.File("shots.txt"), kShotTable);

  const ProcessResult result =
      RunBatch({"--shot-table", table, "--output", scratch_.File("line1"), "", recorder, ""},
               scratch_.path());

  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, kSummary);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadText(scratch_.File(".tempOutAsciiInfo.txt")), DumpBlock(recorder));
}

TEST_F(BatchProgramTest, NamesRecorderFilesByAbsoluteNormalPathsButKeepsTheOutputRelative) {
  const std::string recorder = AddInput(scratch_.File("OBS00001.001"), RecorderFileBytes());
  const std::string table = AddInput(scratch_.File("shots.txt"), kShotTable);
  std::filesystem::create_directory(scratch_.path() / "work");

  const ProcessResult result =
      RunBatch({"--shot-table", "../shots.txt", "--output", "line1", "../a/../OBS00001.001"},
               scratch_.path() / "work");

  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadText(scratch_.File("work/.tempOutAsciiInfo.txt")),
            DumpBlock(RealPath(scratch_.path()) + "/OBS00001.001"));
  EXPECT_FALSE(std::filesystem::exists(scratch_.File(".tempOutAsciiInfo.txt")));
}

TEST_F(BatchProgramTest, WritesPathsWithBlanksLettersAndPercentSignsLiterally) {
  const std::filesystem::path folder = scratch_.path() / "run 1 %s %n \xc3\x86r\xc3\xb8";
  std::filesystem::create_directory(folder);
  const std::string recorder = AddInput((folder / "OBS00001.001").string(), RecorderFileBytes());
  const std::string table = AddInput((folder / "shots %d.txt").string(), kShotTable);
  const std::string missing = (folder / "OBS%n%s.002").string();

  const ProcessResult finished =
      RunBatch({"--shot-table", table, "--output", (folder / "line %s").string(), recorder},
               scratch_.path());
  EXPECT_EQ(finished.exitCode, 0) << finished.err;
  EXPECT_EQ(finished.out, kSummary);
  EXPECT_EQ(ReadText((folder / ".tempOutAsciiInfo.txt").string()), DumpBlock(recorder));

  const ProcessResult stopped = RunBatch(
      {"--shot-table", table, "--output", (folder / "line %s").string(), recorder, missing},
      scratch_.path());
  EXPECT_EQ(stopped.exitCode, 1);
  EXPECT_EQ(stopped.err, missing + " was not found.\n");
}

TEST_F(BatchProgramTest, HelpAndVersionExitZeroOnStandardOutput) {
  const ProcessResult help = RunBatch({"--help"}, scratch_.path());
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out, BatchUsage("obscut-batch"));
  for (const char* option : {"--shot-table", "--output", "--min-time", "--max-time", "--channel",
                             "--show-log", "--help", "--version"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }

  const ProcessResult version = RunBatch({"--version"}, scratch_.path());
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.err, "");
  EXPECT_EQ(version.out.rfind("obscut-batch ", 0), 0u) << version.out;
}

TEST_F(BatchProgramTest, KeepsAProgressLineOnStandardErrorOnlyWhenItIsATerminal) {
  const std::string table =
      AddInput(scratch_.File("shots.txt"), kShotTable + "1 5 12 30 15.5\n2 5 12 31 15.5\n");
  const std::vector<std::string> arguments = {"--shot-table", table, "--output",
                                              scratch_.File("line1")};

  const ProcessResult onTerminal = RunBatch(arguments, scratch_.path(), true);
  EXPECT_EQ(onTerminal.exitCode, 0);
  EXPECT_EQ(onTerminal.out, kSummary);
  // The line is drawn over itself and cleared before the run ends.
  EXPECT_EQ(onTerminal.err.rfind("\rshot lines read: 1 (", 0), 0u) << onTerminal.err;
  EXPECT_TRUE(onTerminal.err.ends_with("% of the shot table)\r\033[K")) << onTerminal.err;

  const ProcessResult onFile = RunBatch(arguments, scratch_.path());
  EXPECT_EQ(onFile.err, "");
}

#endif  // _WIN32

}  // namespace
}  // namespace obscut
