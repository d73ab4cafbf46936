#include "survey/shot_table_writer.h"

#include <vector>

#include "base/string_printf.h"
#include "survey/survey_calendar.h"

namespace obscut {
namespace {

std::string WithNote(std::string values, const std::string& note) {
  if (!note.empty()) {
    values += "   " + note;
  }
  return values + "\n";
}

}  // namespace

std::string FormatShotTableHeader(const ShotTableHeaderLines& header) {
  const auto& v3 = header.line3Values;
  return header.title + "\n" +
         WithNote(StringPrintf("%.4f %.4f", header.stationY, header.stationX), header.notes[0]) +
         WithNote(StringPrintf("%d %d %d %d", v3[0], v3[1], v3[2], v3[3]), header.notes[1]) +
         WithNote(StringPrintf("%.1f", header.line4Value), header.notes[2]) +
         WithNote(StringPrintf("%d", header.line5Value), header.notes[3]) +
         WithNote(StringPrintf("%d", header.line6Value), header.notes[4]) + header.caption + "\n";
}

std::string FormatShotLine(const ShotLine& shot) {
  const ShotClock clock = ShotClockAt(shot.timeMs);
  return StringPrintf("%5d %3d %2d %2d %2d.%03d %10.4f %10.4f %9.4f %7.1f\n", shot.shotNumber,
                      clock.day, clock.hour, clock.minute, clock.millisecond / 1000,
                      clock.millisecond % 1000, shot.shotY, shot.shotX, shot.range,
                      shot.waterDepth);
}

ShotTableWriter::ShotTableWriter(std::string path, const ShotTableHeaderLines& header)
    : file_(BinaryFile::Create(std::move(path))) {
  WriteText(FormatShotTableHeader(header));
}

void ShotTableWriter::Write(const ShotLine& shot) {
  WriteText(FormatShotLine(shot));
}

void ShotTableWriter::WriteText(const std::string& text) {
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  file_.Write(bytes);
}

}  // namespace obscut
