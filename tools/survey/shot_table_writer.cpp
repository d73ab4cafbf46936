#include "survey/shot_table_writer.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "base/printf_check.h"
#include "survey/survey_calendar.h"

namespace obscut {
namespace {

std::string WithNote(std::string values, const std::string& note) {
  if (!note.empty()) {
    values += "   " + note;
  }
  return values + "\n";
}

std::string Printed(const char* format, ...) OBSCUT_PRINTF_FORMAT(1, 2);

std::string Printed(const char* format, ...) {
  char text[200];
  std::va_list values;
  va_start(values, format);
  std::vsnprintf(text, sizeof(text), format, values);
  va_end(values);
  return text;
}

}  // namespace

std::string FormatShotTableHeader(const ShotTableHeaderLines& header) {
  const auto& v3 = header.line3Values;
  return header.title + "\n" +
         WithNote(Printed("%.4f %.4f", header.stationY, header.stationX), header.notes[0]) +
         WithNote(Printed("%d %d %d %d", v3[0], v3[1], v3[2], v3[3]), header.notes[1]) +
         WithNote(Printed("%.1f", header.line4Value), header.notes[2]) +
         WithNote(Printed("%d", header.line5Value), header.notes[3]) +
         WithNote(Printed("%d", header.line6Value), header.notes[4]) + header.caption + "\n";
}

std::string FormatShotLine(const ShotLine& shot) {
  const ShotClock clock = ShotClockAt(shot.timeMs);
  return Printed("%5d %3d %2d %2d %2d.%03d %10.4f %10.4f %9.4f %7.1f\n", shot.shotNumber, clock.day,
                 clock.hour, clock.minute, clock.millisecond / 1000, clock.millisecond % 1000,
                 shot.shotY, shot.shotX, shot.range, shot.waterDepth);
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
