#include "support/conversion_fixture.h"

#include <filesystem>
#include <sstream>

#include "platform/file_error.h"
#include "run/front_end.h"
#include "support/input_snapshot.h"

namespace obscut::testing {

SampleFrame TestFrame(std::uint16_t first, std::size_t k) {
  SampleFrame frame;
  for (std::size_t c = 0; c < frame.size(); ++c) {
    frame[c] = TestSample(first, k, c);
  }
  return frame;
}

std::uint16_t TestSample(std::uint16_t first, std::size_t k, std::size_t channel) {
  return static_cast<std::uint16_t>(first + 4 * k + channel);
}

std::vector<std::uint8_t> EncodeTestRecording(const TestRecording& recording) {
  RecorderHeaderFields fields;
  fields.asciiHeader = recording.startTime + " test recording";
  fields.sampleRate = recording.sampleRate;
  fields.bytesPerSample = recording.bytesPerSample;
  std::vector<SampleFrame> frames;
  for (std::size_t k = 0; k < recording.frames; ++k) {
    frames.push_back(TestFrame(recording.first, k));
  }
  std::vector<std::uint8_t> bytes = EncodeRecorderFile(fields, frames);
  for (std::size_t i = 0; i < recording.extraBytes; ++i) {
    bytes.push_back(static_cast<std::uint8_t>(0xA0 + i));
  }
  return bytes;
}

std::string ShotLineText(const TestShot& shot) {
  std::ostringstream line;
  line << shot.number << ' ' << shot.day << ' ' << shot.hour << ' ' << shot.minute << ' '
       << shot.second << ' ' << shot.y << ' ' << shot.x << ' ' << shot.range << ' '
       << shot.waterDepth << '\n';
  return line.str();
}

const char kTestShotTableHeader[] =
    "test line\n"
    "45.1234 -20.25\n"
    "1 2 3 4\n"
    "0.004\n"
    "5\n"
    "6\n"
    "shot day hour min sec y x range depth\n";

namespace {

// Answers from the settings given and writes down what the run says.
class QuietFrontEnd : public FrontEnd {
 public:
  QuietFrontEnd(std::vector<std::string> files, RunSettings settings, ConversionResult& result)
      : files_(std::move(files)), settings_(std::move(settings)), result_(result) {}

  std::optional<std::vector<std::string>> SelectRecorderFiles() override { return files_; }
  std::optional<RunSettings> AskRunSettings(const RunSettings&) override { return settings_; }
  void ShowMessage(const std::string& text) override { result_.messages.push_back(text); }
  void ShowLog(const std::string&) override {}
  void EndMainWindow() override {}
  void ReportFileError(const FileError& error) override { result_.fileError = error.what(); }

 private:
  std::vector<std::string> files_;
  RunSettings settings_;
  ConversionResult& result_;
};

}  // namespace

std::string TestSurvey::AddRecording(const std::string& name, const TestRecording& recording) {
  return AddFile(name, EncodeTestRecording(recording));
}

std::string TestSurvey::AddFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const std::string path = dir_.File(name);
  WriteBytes(path, bytes);
  recordings.push_back(path);
  return path;
}

void TestSurvey::SetShots(const std::vector<TestShot>& shots, const std::string& header) {
  std::string text = header;
  for (const TestShot& shot : shots) {
    text += ShotLineText(shot);
  }
  SetShotTableText(text);
}

void TestSurvey::SetShotTableText(const std::string& text) {
  WriteText(dir_.File("shots.txt"), text);
}

RunSettings TestSurvey::Settings(float minTime, float maxTime, int outputChannel) const {
  RunSettings settings;
  settings.shotTablePath = dir_.File("shots.txt");
  settings.outputPath = dir_.File("line.sgy");
  settings.minTime = minTime;
  settings.maxTime = maxTime;
  settings.outputChannel = outputChannel;
  return settings;
}

ConversionResult TestSurvey::Convert(float minTime, float maxTime, int outputChannel) {
  return Convert(Settings(minTime, maxTime, outputChannel));
}

ConversionResult TestSurvey::Convert(const RunSettings& settings) {
  ConversionResult result;
  std::vector<std::string> inputs = recordings;
  inputs.push_back(settings.shotTablePath);
  const InputSnapshot before(inputs);
  QuietFrontEnd ui(recordings, settings, result);
  result.outcome = RunConversionReportingFileErrors(ui);
  // Whatever the run did, it must not have written into what it read.
  before.ExpectUnchanged();
  const std::string log = dir_.File(".tempOutAsciiInfo.txt");
  if (std::filesystem::exists(log)) {
    result.log = ReadText(log);
  }
  return result;
}

std::string TestSurvey::OutputPath(int channel) const {
  return dir_.File("linech" + std::to_string(channel) + ".sgy");
}

std::vector<std::uint8_t> TestSurvey::Output(int channel) const {
  return ReadBytes(OutputPath(channel));
}

}  // namespace obscut::testing
