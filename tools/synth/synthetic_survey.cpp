#include "synth/synthetic_survey.h"

#include <filesystem>
#include <system_error>

#include "base/string_printf.h"
#include "platform/binary_file.h"
#include "platform/file_error.h"
#include "platform/system.h"
#include "survey/recorder_writer.h"
#include "survey/shot_table_writer.h"
#include "synth/recorder_signal.h"

namespace obscut {
namespace {

std::string PathIn(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == kFolderSeparator) {
    return folder + name;
  }
  return folder + kFolderSeparator + name;
}

void CreateFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    throw FileError::FromErrno(folder, error.value());
  }
}

ShotTableHeaderLines TableHeader(const SurveyPlan& plan, const SynthOptions& options) {
  ShotTableHeaderLines header;
  header.title = "Shot table of station " + options.station + ", synthetic survey (seed " +
                 std::to_string(options.seed) + ")";
  header.stationY = plan.track().stationY;
  header.stationX = plan.track().stationX;
  header.line3Values = {1, 1, 4, static_cast<int>(plan.sampleRate())};
  header.line4Value = WaterDepthAlong(0.0);
  header.line5Value = 1;
  header.line6Value = plan.shotCount();
  // Over the columns of the shot lines.
  header.caption = " shot day hh mm second      shotY      shotX     range   depth";
  header.notes = {"station Y and X (km)", "station, line, channels, samples per second",
                  "water depth at the station (m)", "first shot", "last shot"};
  return header;
}

}  // namespace

std::string RecorderTextHeader(const SurveyPlan& plan, std::size_t index,
                               const SynthOptions& options) {
  return StringPrintf(
      "%s ORVANE OBS station %s, file %zu of %zu\n"
      "ch1 hydrophone, ch2 geophone Z, ch3 geophone H1, ch4 geophone H2\n"
      "%g samples/s, 16 bit, offset binary\n"
      "synthetic survey, seed %llu\n",
      ClockText(plan.year(), plan.files()[index].startSeconds).c_str(), options.station.c_str(),
      index + 1, plan.files().size(), static_cast<double>(plan.sampleRate()),
      static_cast<unsigned long long>(options.seed));
}

std::vector<WrittenFile> WriteSyntheticSurvey(const SurveyPlan& plan, const SynthOptions& options) {
  CreateFolder(options.outDir);
  std::vector<WrittenFile> written;
  RecorderSignal signal(plan, options.seed);
  for (std::size_t i = 0; i < plan.files().size(); ++i) {
    const PlannedFile& planned = plan.files()[i];
    RecorderHeaderFields fields;
    fields.bytesPerSample = 2;
    fields.sampleRate = plan.sampleRate();
    fields.asciiHeader = RecorderTextHeader(plan, i, options);
    const std::string path = PathIn(options.outDir, planned.name);
    BinaryFile file = BinaryFile::Create(path);
    file.Write(EncodeRecorderHeader(fields).bytes);
    signal.WriteFrames(planned, file);
    file.Close();
    written.push_back({path,
                       static_cast<std::int64_t>(recorder_layout::kHeaderSize +
                                                 recorder_layout::kFrameSize * planned.frames),
                       StringPrintf("starts %s, %lld frames",
                                    ClockText(plan.year(), planned.startSeconds).c_str(),
                                    static_cast<long long>(planned.frames))});
  }

  const std::string table_path = PathIn(options.outDir, kShotTableName);
  ShotTableWriter table(table_path, TableHeader(plan, options));
  for (int i = 0; i < plan.shotCount(); ++i) {
    table.Write(plan.Shot(i));
  }
  table.Close();
  const ShotLine first = plan.Shot(0);
  const ShotLine last = plan.Shot(plan.shotCount() - 1);
  written.push_back({table_path, static_cast<std::int64_t>(std::filesystem::file_size(table_path)),
                     StringPrintf("%d shots, day %d to day %d", plan.shotCount(),
                                  ShotClockAt(first.timeMs).day, ShotClockAt(last.timeMs).day)});
  return written;
}

}  // namespace obscut
