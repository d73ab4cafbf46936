#include "recorder/shot_table.h"

#include <initializer_list>

#include "base/number_scanner.h"

namespace obscut {
namespace {

// Low 32 or 16 bits of a value read by "%d", as two's complement.
std::int32_t Low32(std::int64_t v) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}
std::int16_t Low16(std::int64_t v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
}

int Scan(const std::string& line, std::initializer_list<ScanSlot> slots) {
  return ScanValues(line, std::span(slots.begin(), slots.size()));
}

}  // namespace

std::optional<ShotTable> ShotTable::OpenShotTable(const std::string& path) {
  auto reader = TextLineReader::Open(path, kLineBufferSize);
  if (!reader) {
    return std::nullopt;
  }
  return ShotTable(std::move(*reader));
}

bool ShotTable::ReadShotTableHeader() {
  for (int line_number = 1; line_number <= kHeaderLines; ++line_number) {
    const std::optional<std::string> line = reader_.ReadLine();
    if (!line) {
      return false;
    }
    // A line that does not parse is no error: what it does not supply keeps its value.
    switch (line_number) {
      case 2:
        Scan(*line, {&header_.stationY, &header_.stationX});
        break;
      case 3: {
        std::array<std::int64_t, 4> values{};
        for (std::size_t i = 0; i < values.size(); ++i) {
          values[i] = header_.line3Values[i];
        }
        Scan(*line, {&values[0], &values[1], &values[2], &values[3]});
        for (std::size_t i = 0; i < values.size(); ++i) {
          header_.line3Values[i] = Low32(values[i]);
        }
        break;
      }
      case 4:
        Scan(*line, {&header_.line4Value});
        break;
      case 5:
      case 6: {
        std::int32_t& field = line_number == 5 ? header_.line5Value : header_.line6Value;
        std::int64_t value = field;
        Scan(*line, {&value});
        field = Low32(value);
        break;
      }
      default:
        break;  // lines 1 and 7 are not looked at
    }
  }
  return true;
}

ShotTable::ReadResult ShotTable::ReadShotRecord() {
  for (;;) {
    const std::optional<std::string> line = reader_.ReadLine();
    if (!line) {
      return ReadResult::kEndOfTable;
    }
    std::int64_t number = shot_.shotNumber;
    std::int64_t day = shot_.shotDay;
    std::int64_t hour = shot_.shotHour;
    std::int64_t minute = shot_.shotMinute;
    const int count = Scan(*line, {&number, &day, &hour, &minute, &shot_.shotSecond, &shot_.shotY,
                                   &shot_.shotX, &shot_.range, &shot_.waterDepth});
    if (count < 0) {
      continue;  // only white space: no shot on this line
    }
    if (count == 0) {
      return ReadResult::kError;
    }
    shot_.shotNumber = Low16(number);
    shot_.shotDay = Low16(day);
    shot_.shotHour = Low16(hour);
    shot_.shotMinute = Low16(minute);
    return ReadResult::kShot;
  }
}

}  // namespace obscut
