#include "run/preflight_report.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>

#include "base/string_printf.h"
#include "recorder/recorder_file.h"
#include "segy/window_placement.h"

namespace obscut {
namespace {

// Readers that take the SEG-Y sample count as a signed 16-bit number stop here.
constexpr std::int64_t kSignedSampleLimit = 32767;
constexpr std::int64_t kUnsignedFieldLimit = 65535;
// Shot lists are wrapped to lines of about this width.
constexpr std::size_t kLineWidth = 96;

std::string FileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// Absolute seconds on the shot table's scale as "day 60 23:45:00.000".
std::string DayTime(double seconds) {
  const double day = std::floor(seconds / 86400.0);
  double rest = seconds - day * 86400.0;
  const int hour = static_cast<int>(rest / 3600.0);
  rest -= hour * 3600.0;
  const int minute = static_cast<int>(rest / 60.0);
  rest -= minute * 60.0;
  return StringPrintf("day %.0f %02d:%02d:%06.3f", day, hour, minute, rest);
}

std::string ShotTime(const ShotRecord& shot) {
  return StringPrintf("day %d %02d:%02d:%06.3f", shot.shotDay, shot.shotHour, shot.shotMinute,
                      static_cast<double>(shot.shotSecond));
}

// The recorder's start text with bytes that would upset a terminal shown as '?'.
std::string StartText(const RecorderHeader& header) {
  std::string text;
  for (std::size_t i = 0; i < 18; ++i) {
    const auto c = header.asciiHeader()[i];
    text += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
  }
  return text;
}

std::int64_t FrameCount(const CataloguedRecorder& file) {
  return FramesFrom(file.length, static_cast<std::int64_t>(recorder_layout::kHeaderSize));
}

bool UsableRate(float rate) {
  return std::isfinite(rate) && rate > 0.0f;
}

double EndSeconds(const CataloguedRecorder& file) {
  return FileStartSeconds(file.start) +
         static_cast<double>(FrameCount(file)) / static_cast<double>(file.sampleRate);
}

std::string RecorderLine(const PreflightFindings& findings, std::size_t i) {
  const CataloguedRecorder& file = findings.catalog[i];
  std::string line = StringPrintf("  %3zu  %s  \"%s\"", i + 1, FileName(file.path).c_str(),
                                  StartText(file.header).c_str());
  if (file.start.fileDay < 0) {
    return line + "  date not recognised\n";
  }
  line += StringPrintf("  %g samples/s  %lld frames", static_cast<double>(file.sampleRate),
                       static_cast<long long>(FrameCount(file)));
  if (!UsableRate(file.sampleRate)) {
    return line + "  unusable sample rate\n";
  }
  line += "\n       " + DayTime(FileStartSeconds(file.start)) + " to " + DayTime(EndSeconds(file));
  if (i + 1 < findings.catalog.size()) {
    const CataloguedRecorder& next = findings.catalog[i + 1];
    if (next.start.fileDay >= 0) {
      const double gap = FileStartSeconds(next.start) - EndSeconds(file);
      if (gap > 0.0) {
        line += StringPrintf(", then a gap of %.3f s", gap);
      } else if (gap < 0.0) {
        line += StringPrintf(", then an overlap of %.3f s", -gap);
      } else {
        line += ", then no gap";
      }
    }
  }
  return line + "\n";
}

void AppendRecorderFiles(const PreflightFindings& findings, std::string& report) {
  report +=
      StringPrintf("Recorder files, in processing order: %zu\n", findings.recorderFiles.size());
  for (std::size_t i = 0; i < findings.catalog.size(); ++i) {
    report += RecorderLine(findings, i);
  }
  if (findings.catalog.size() < findings.recorderFiles.size()) {
    report +=
        StringPrintf("  (%zu not read)\n", findings.recorderFiles.size() - findings.catalog.size());
  }
  std::vector<std::string> unrecognised;
  std::vector<std::string> rateChanges;
  const CataloguedRecorder* previous = nullptr;
  for (std::size_t i = 0; i < findings.catalog.size(); ++i) {
    const CataloguedRecorder& file = findings.catalog[i];
    if (file.start.fileDay < 0) {
      unrecognised.push_back(StringPrintf("%zu (%s)", i + 1, FileName(file.path).c_str()));
      continue;
    }
    if (previous && previous->sampleRate != file.sampleRate) {
      rateChanges.push_back(StringPrintf("%g to %g samples/s at file %zu",
                                         static_cast<double>(previous->sampleRate),
                                         static_cast<double>(file.sampleRate), i + 1));
    }
    previous = &file;
  }
  const auto joined = [](const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
      text += (text.empty() ? "" : ", ") + item;
    }
    return items.empty() ? std::string("none") : text;
  };
  report += "Files whose date is not recognised: " + joined(unrecognised) + "\n";
  report += "Sample rate changes: " + joined(rateChanges) + "\n";
}

void AppendShotTable(const PreflightFindings& findings, std::string& report) {
  report += "Shot table " + findings.shotTablePath + "\n";
  if (!findings.tableHeader) {
    report += "  not read\n";
    return;
  }
  const ShotTableHeader& header = *findings.tableHeader;
  report += StringPrintf("  station Y %g, X %g; header values %d %d %d %d, %g, %d, %d\n",
                         static_cast<double>(header.stationY), static_cast<double>(header.stationX),
                         header.line3Values[0], header.line3Values[1], header.line3Values[2],
                         header.line3Values[3], static_cast<double>(header.line4Value),
                         header.line5Value, header.line6Value);
  if (findings.shots.empty()) {
    report += "  no shot lines read\n";
    return;
  }
  const ShotRecord& first = findings.shots.front().shot;
  const ShotRecord& last = findings.shots.back().shot;
  report += StringPrintf("  %zu shot lines read: shot %d at %s to shot %d at %s\n",
                         findings.shots.size(), first.shotNumber, ShotTime(first).c_str(),
                         last.shotNumber, ShotTime(last).c_str());
}

void AppendTraceLength(const PreflightFindings& findings, std::string& report) {
  report +=
      StringPrintf("Traces: window from %g to %g s after each shot\n",
                   static_cast<double>(findings.minTime), static_cast<double>(findings.maxTime));
  if (!findings.samplesPerTrace) {
    report += "  no shot reaches a file that fixes the trace length\n";
    return;
  }
  const double rate = static_cast<double>(findings.traceSampleRate);
  const std::int64_t samples = *findings.samplesPerTrace;
  const auto interval = static_cast<std::int64_t>(1000000.0 / rate);
  report += StringPrintf("  %lld samples per trace at %g samples/s, sample interval %lld us\n",
                         static_cast<long long>(samples), rate, static_cast<long long>(interval));
  if (samples > kSignedSampleLimit) {
    report += StringPrintf(
        "  warning: more than %lld samples per trace; readers that take the count as a signed "
        "16-bit number cannot read the files\n",
        static_cast<long long>(kSignedSampleLimit));
  }
  if (interval > kUnsignedFieldLimit) {
    report += StringPrintf(
        "  warning: the sample interval does not fit its 16-bit header field; %lld us would be "
        "written\n",
        static_cast<long long>(interval & kUnsignedFieldLimit));
  }
}

// Shot numbers in table order, consecutive numbers joined into runs: "1-5", "9", "12-13".
std::vector<std::string> ShotRunItems(const std::vector<std::int16_t>& shotNumbers) {
  std::vector<std::string> items;
  std::size_t i = 0;
  while (i < shotNumbers.size()) {
    std::size_t j = i;
    while (j + 1 < shotNumbers.size() && shotNumbers[j + 1] == shotNumbers[j] + 1) {
      ++j;
    }
    items.push_back(j == i ? StringPrintf("%d", shotNumbers[i])
                           : StringPrintf("%d-%d", shotNumbers[i], shotNumbers[j]));
    i = j + 1;
  }
  return items;
}

// One labelled list of shot runs, wrapped; nothing when no shot qualifies.
void AppendShotList(const PreflightFindings& findings, const char* label,
                    const std::function<bool(const ShotForecast&)>& qualifies,
                    std::string& report) {
  std::vector<std::int16_t> numbers;
  for (const ShotForecast& forecast : findings.shots) {
    if (qualifies(forecast)) {
      numbers.push_back(forecast.shot.shotNumber);
    }
  }
  if (numbers.empty()) {
    return;
  }
  std::string line = StringPrintf("  %s (%zu):", label, numbers.size());
  const std::vector<std::string> items = ShotRunItems(numbers);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string item = items[i] + (i + 1 < items.size() ? "," : "");
    if (line.size() + 1 + item.size() > kLineWidth && line.size() > 4) {
      report += line + "\n";
      line = "   ";
    }
    line += " " + item;
  }
  report += line + "\n";
}

void AppendShots(const PreflightFindings& findings, std::string& report) {
  std::size_t traces = 0;
  for (const ShotForecast& forecast : findings.shots) {
    traces += forecast.trace ? 1 : 0;
  }
  report += StringPrintf("Shots: %zu of %zu would get a trace\n", traces, findings.shots.size());
  AppendShotList(
      findings, "from one file",
      [](const ShotForecast& f) { return f.trace && !f.leadingZeros && !f.continued && !f.padded; },
      report);
  AppendShotList(
      findings, "with leading zeros", [](const ShotForecast& f) { return f.leadingZeros; }, report);
  AppendShotList(
      findings, "continued into the next file", [](const ShotForecast& f) { return f.continued; },
      report);
  AppendShotList(
      findings, "over a recording gap",
      [](const ShotForecast& f) { return f.continued && f.gapZeros > 0; }, report);
  AppendShotList(
      findings, "padded after the last file", [](const ShotForecast& f) { return f.padded; },
      report);
  AppendShotList(
      findings, "taken by no file", [](const ShotForecast& f) { return !f.trace; }, report);
}

}  // namespace

std::string ShotRuns(const std::vector<std::int16_t>& shotNumbers) {
  std::string text;
  for (const std::string& item : ShotRunItems(shotNumbers)) {
    text += (text.empty() ? "" : ", ") + item;
  }
  return text;
}

std::string FormatPreflightReport(const PreflightFindings& findings) {
  std::string report;
  AppendRecorderFiles(findings, report);
  AppendShotTable(findings, report);
  AppendTraceLength(findings, report);
  AppendShots(findings, report);
  if (findings.stopMessage) {
    report += "The run would stop";
    if (findings.stoppedAtShot) {
      report += StringPrintf(" at shot %d (shot %zu of the table)",
                             findings.shots.back().shot.shotNumber, findings.shots.size());
    } else if (!findings.shots.empty()) {
      report += StringPrintf(" after %zu shot lines", findings.shots.size());
    }
    report += ": " + *findings.stopMessage + "\n";
  } else {
    std::size_t traces = 0;
    for (const ShotForecast& forecast : findings.shots) {
      traces += forecast.trace ? 1 : 0;
    }
    report += StringPrintf("The run would finish with %zu traces.\n", traces);
  }
  return report;
}

}  // namespace obscut
