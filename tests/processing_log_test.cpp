#include "run/processing_log.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "run/log_viewer.h"
#include "support/scratch_dir.h"

namespace obscut {
namespace {

using testing::ReadText;
using testing::ScratchDir;
using testing::WriteText;

// Writes one message into a fresh log and gives the log's bytes.
template <typename... Arguments>
std::string LoggedBytes(const char* format, Arguments... arguments) {
  ScratchDir dir;
  const std::string path = dir.File(kLogFileName);
  ProcessingLog log;
  EXPECT_TRUE(log.Open(path));
  log.Append(format, arguments...);
  log.Close();
  return ReadText(path);
}

TEST(ProcessingLogTest, WritesEveryShotMessageWithItsExactBytes) {
  const char* path = "/data/OBS00003.001";
  EXPECT_EQ(LoggedBytes(log_format::kDumpHeader, path),
            "\r\n\r\nDump of the ascii header for file /data/OBS00003.001");
  // The file index is padded to 3 characters and the shot number to 5, after the full stop
  // and the number sign; wider values take more room.
  EXPECT_EQ(LoggedBytes(log_format::kDateNotRecognised, 5, 17),
            "\r\n total days not recognizable in datafile.  5 for shot #   17");
  EXPECT_EQ(LoggedBytes(log_format::kDateNotRecognised, 998, -25536),
            "\r\n total days not recognizable in datafile.998 for shot #-25536");
  EXPECT_EQ(LoggedBytes(log_format::kStartsBefore, 17, path),
            "\r\nShot 17 starts before the first sample of /data/OBS00003.001");
  EXPECT_EQ(LoggedBytes(log_format::kExtendsBeyond, -25536, path),
            "\r\nShot -25536 extends beyond the last sample of /data/OBS00003.001");
  EXPECT_EQ(LoggedBytes(log_format::kMeetsLastFile, 17, path),
            "\r\n  Shot 17 meets the last datafile /data/OBS00003.001");
  EXPECT_EQ(LoggedBytes(log_format::kMatched, 17, path),
            "\r\nShot 17 is matched to /data/OBS00003.001");
  EXPECT_EQ(LoggedBytes(log_format::kAlsoMatched, 17, path),
            "\r\n  Shot 17 is also matched to /data/OBS00003.001");
}

TEST(ProcessingLogTest, WritesPathsLiterallyWhateverTheyHold) {
  const char* path = "/data/100%s %n%d Ærø/OBS00003.001";
  EXPECT_EQ(LoggedBytes(log_format::kMatched, 1, path),
            std::string("\r\nShot 1 is matched to ") + path);
}

TEST(ProcessingLogTest, StoresEveryLineFeedAsCarriageReturnAndLineFeed) {
  ScratchDir dir;
  const std::string path = dir.File(kLogFileName);
  ProcessingLog log;
  ASSERT_TRUE(log.Open(path));
  const std::vector<std::uint8_t> bytes = {'a', '\n', 'b', '\r', '\n', '\r', 0, '\n', '\n'};
  log.AppendBytes(bytes);
  log.Close();
  EXPECT_EQ(ReadText(path), std::string("a\r\nb\r\r\n\r\0\r\n\r\n", 13));
}

TEST(ProcessingLogTest, OpenEmptiesAnEarlierLogAndFailsWhereNoFileCanBeMade) {
  ScratchDir dir;
  const std::string path = dir.File(kLogFileName);
  WriteText(path, "the log of an earlier run");
  ProcessingLog log;
  ASSERT_TRUE(log.Open(path));
  log.Close();
  EXPECT_EQ(ReadText(path), "");

  EXPECT_FALSE(log.Open(dir.File("missing-folder/" + std::string(kLogFileName))));
  EXPECT_FALSE(log.Open(dir.path().string()));  // a folder
}

#ifdef __linux__
// Regression: a log write that the system refused (a full disk) went unnoticed, and the run
// reported success with a log that lacked lines. /dev/full refuses every write with ENOSPC.
TEST(ProcessingLogTest, AWriteTheSystemRefusesRaisesAFileErrorNamingTheLog) {
  const struct {
    const char* name;
    std::size_t bytes;  // a small message waits in the buffer until Close
  } cases[] = {{"refused when closed", 40}, {"refused while appending", 100000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ProcessingLog log;
    ASSERT_TRUE(log.Open("/dev/full"));
    try {
      log.AppendBytes(std::vector<std::uint8_t>(c.bytes, 'x'));
      log.Close();
      ADD_FAILURE() << "no FileError";
    } catch (const FileError& error) {
      EXPECT_EQ(error.path(), "/dev/full");
      EXPECT_EQ(error.cause(), FileError::Cause::kDiskFull);
      EXPECT_STREQ(error.what(), "There is not enough space on the disk to write /dev/full.");
    }
    EXPECT_FALSE(log.is_open());
  }
}
#endif

// Notes the messages the viewer start passes to the front end.
class MessageFrontEnd : public FrontEnd {
 public:
  std::vector<std::string> messages;

  std::optional<std::vector<std::string>> SelectRecorderFiles() override { return {}; }
  std::optional<RunSettings> AskRunSettings(const RunSettings&) override { return {}; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowLog(const std::string&) override {}
  void EndMainWindow() override {}
  void ReportFileError(const FileError&) override {}
};

// Sets PATH for the life of the object.
class SearchPath {
 public:
  explicit SearchPath(const std::string& value) : saved_(std::getenv("PATH")) {
    setenv("PATH", value.c_str(), 1);
  }
  ~SearchPath() { setenv("PATH", saved_.c_str(), 1); }

 private:
  std::string saved_;
};

TEST(LogViewerTest, StartsTheDesktopOpenerOnTheLogWithoutWaiting) {
  ScratchDir dir;
  const std::string opened = dir.File("opened");
  const std::string opener = dir.File("xdg-open");
  // Notes its argument, then renames the note into place so that it is never seen half done.
  WriteText(opener, "#!/bin/sh\nPATH=/usr/bin:/bin\nprintf '%s' \"$1\" > '" + opened +
                        ".part' && mv '" + opened + ".part' '" + opened + "'\n");
  std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
  const std::string log_path = dir.File("my logs/" + std::string(kLogFileName));

  MessageFrontEnd ui;
  {
    SearchPath path(dir.path().string());
    ShowLogInNotepad(log_path, ui);
  }
  EXPECT_TRUE(ui.messages.empty());
  // The viewer runs on its own; give it a moment to note what it was asked to open.
  for (int i = 0; i < 500 && !std::filesystem::exists(opened); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(std::filesystem::exists(opened));
  EXPECT_EQ(ReadText(opened), log_path);
}

TEST(LogViewerTest, SaysSoWhenNoViewerCanBeStarted) {
  ScratchDir empty;
  MessageFrontEnd ui;
  {
    SearchPath path(empty.path().string());
    ShowLogInNotepad(empty.File(kLogFileName), ui);
  }
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Not able to load with NotePad.exe"});
}

}  // namespace
}  // namespace obscut
