// Writes shot tables: seven header lines, then one line per shot, one line at a time.
//
//   line 1   title
//   line 2   stationY stationX
//   line 3   four integers
//   line 4   one number
//   line 5   one integer
//   line 6   one integer
//   line 7   column caption
//   shots    shotNumber shotDay shotHour shotMinute shotSecond shotY shotX range waterDepth
//
// The converter reads only the leading values of header lines 2 to 6, so each value may be
// followed by a note saying what it is.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/binary_file.h"

namespace obscut {

struct ShotTableHeaderLines {
  std::string title;
  double stationY = 0.0;
  double stationX = 0.0;
  std::array<int, 4> line3Values{};
  double line4Value = 0.0;
  int line5Value = 0;
  int line6Value = 0;
  std::string caption;
  // Notes written after the values of lines 2 to 6; empty notes are left out.
  std::array<std::string, 5> notes;
};

struct ShotLine {
  int shotNumber = 0;
  std::int64_t timeMs = 0;  // on the recorder's clock scale, in milliseconds
  double shotY = 0.0;
  double shotX = 0.0;
  double range = 0.0;
  double waterDepth = 0.0;
};

// The seven header lines, each ended by a line feed.
std::string FormatShotTableHeader(const ShotTableHeaderLines& header);

// One shot line ended by a line feed; the second is written with exactly its milliseconds.
std::string FormatShotLine(const ShotLine& shot);

class ShotTableWriter {
 public:
  // Creates the file (replacing one of that name) and writes the header lines. Raises
  // FileError when the file cannot be created or written.
  ShotTableWriter(std::string path, const ShotTableHeaderLines& header);

  void Write(const ShotLine& shot);

  // Flushes and closes; raises FileError when that fails.
  void Close() { file_.Close(); }

 private:
  void WriteText(const std::string& text);

  BinaryFile file_;
};

}  // namespace obscut
