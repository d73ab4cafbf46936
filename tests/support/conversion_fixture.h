// A small survey built in a scratch folder, converted by the real run through a quiet front
// end: recorder files of a few frames, a shot table, settings, and what the run left behind.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "recorder/recorder_header.h"
#include "run/run_conversion.h"
#include "run/run_settings.h"
#include "support/scratch_dir.h"
#include "survey/recorder_writer.h"

namespace obscut::testing {

// Frame k of a test recording whose first frame holds `first`: channel c holds
// first + 4k + c (mod 65536), so every sample tells where it came from.
SampleFrame TestFrame(std::uint16_t first, std::size_t k);

// The value channel `channel` (0 to 3) of TestFrame(first, k) holds.
std::uint16_t TestSample(std::uint16_t first, std::size_t k, std::size_t channel);

// A recorder file starting at `startTime` ("DD Mon YY HH:MM:SS") with `frames` test frames
// from `first` and `extraBytes` bytes of an incomplete frame after them.
struct TestRecording {
  std::string startTime = "05 Jan 96 12:00:00";
  float sampleRate = 100.0f;
  std::int16_t bytesPerSample = 2;
  std::uint16_t first = 1000;
  std::size_t frames = 0;
  std::size_t extraBytes = 0;
};
std::vector<std::uint8_t> EncodeTestRecording(const TestRecording& recording);

// A shot line: number, day of year, hour, minute, second, y, x, range, water depth.
struct TestShot {
  int number = 1;
  int day = 5;
  int hour = 12;
  int minute = 0;
  std::string second = "0";  // as written in the table
  std::string y = "45.5";
  std::string x = "-20.25";
  std::string range = "4.35";
  std::string waterDepth = "1234.5";
};
std::string ShotLineText(const TestShot& shot);

// The seven header lines used unless a test gives its own.
extern const char kTestShotTableHeader[];

// What a run left behind.
struct ConversionResult {
  RunOutcome outcome = RunOutcome::kCancelled;
  std::vector<std::string> messages;  // message boxes and the summary, in order
  std::optional<std::string> fileError;
  std::string log;  // the processing log's bytes, CR LF as written
};

// A scratch survey: recorder files and a shot table in a folder, converted into that folder.
class TestSurvey {
 public:
  // Writes a recorder file named `name` (e.g. "OBS00001.001"); gives its full path.
  std::string AddRecording(const std::string& name, const TestRecording& recording);
  std::string AddFile(const std::string& name, const std::vector<std::uint8_t>& bytes);
  void SetShots(const std::vector<TestShot>& shots,
                const std::string& header = kTestShotTableHeader);
  void SetShotTableText(const std::string& text);

  // Runs a conversion of the recordings in the order added (the run orders them by number)
  // with output path <folder>/line.sgy. Adds a test failure when the run changed any of its
  // inputs (the recordings and the shot table).
  ConversionResult Convert(float minTime, float maxTime, int outputChannel = 0);
  ConversionResult Convert(const RunSettings& settings);

  RunSettings Settings(float minTime, float maxTime, int outputChannel = 0) const;
  std::string OutputPath(int channel) const;  // <folder>/linechN.sgy
  std::vector<std::uint8_t> Output(int channel) const;
  std::string File(const std::string& name) const { return dir_.File(name); }

  std::vector<std::string> recordings;

 private:
  ScratchDir dir_;
};

}  // namespace obscut::testing
