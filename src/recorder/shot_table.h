// The shot table: a text file of seven header lines and then one line per shot.
//
//   line 1   ignored
//   line 2   "%f%f"        stationY stationX
//   line 3   "%d%d%d%d"    four integers for the SEG-Y binary header
//   line 4   "%f"          one value for the SEG-Y binary header
//   line 5   "%d"          one integer for the SEG-Y binary header
//   line 6   "%d"          one integer for the SEG-Y binary header
//   line 7   ignored
//   shots    "%d%d%d%d%f%f%f%f%f"
//            shotNumber shotDay shotHour shotMinute shotSecond shotY shotX range waterDepth
//
// Every read takes at most 399 characters, so a longer line counts as two or more lines.
// Values follow sscanf's rules; a value a line does not supply keeps its earlier value.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/text_line_reader.h"

namespace obscut {

struct ShotTableHeader {
  float stationY = 0.0f;
  float stationX = 0.0f;
  std::array<std::int32_t, 4> line3Values{};
  float line4Value = 0.0f;
  std::int32_t line5Value = 0;
  std::int32_t line6Value = 0;
};

struct ShotRecord {
  // The integers keep the low 16 bits of the value read: 40000 is held as -25536.
  std::int16_t shotNumber = 0;
  std::int16_t shotDay = 0;
  std::int16_t shotHour = 0;
  std::int16_t shotMinute = 0;
  float shotSecond = 0.0f;
  float shotY = 0.0f;
  float shotX = 0.0f;
  float range = 0.0f;
  float waterDepth = 0.0f;
};

class ShotTable {
 public:
  static constexpr std::size_t kLineBufferSize = 400;
  static constexpr int kHeaderLines = 7;

  enum class ReadResult { kShot, kEndOfTable, kError };

  // Opens the table for reading; nothing when it cannot be opened.
  static std::optional<ShotTable> OpenShotTable(const std::string& path);

  // Reads the seven header lines; false when the table ends before the seventh.
  [[nodiscard]] bool ReadShotTableHeader();

  // Reads the next shot line into shot(). A line whose first value is not a number is an
  // error. A line of nothing but white space is passed over: it holds no shot.
  [[nodiscard]] ReadResult ReadShotRecord();

  const ShotTableHeader& header() const { return header_; }
  const ShotRecord& shot() const { return shot_; }

  // How far reading has come, for progress displays.
  std::int64_t bytesRead() const { return reader_.bytesRead(); }
  std::int64_t length() const { return reader_.length(); }

  void Close() { reader_.Close(); }

 private:
  explicit ShotTable(TextLineReader reader) : reader_(std::move(reader)) {}

  TextLineReader reader_;
  ShotTableHeader header_;
  ShotRecord shot_;
};

}  // namespace obscut
