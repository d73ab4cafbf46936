#include "recorder/start_time.h"

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "base/float_conversion.h"
#include "base/number_scanner.h"

namespace obscut {
namespace {

// At most `field.width` characters at the field's place, ending early at a NUL byte.
std::string FieldText(const RecorderHeader& header, FieldSpec field) {
  const auto first = header.bytes.begin() + static_cast<std::ptrdiff_t>(field.offset);
  std::string text(first, first + static_cast<std::ptrdiff_t>(field.width));
  return text.substr(0, text.find('\0'));
}

std::int32_t FieldNumber(const RecorderHeader& header, FieldSpec field) {
  // Two characters hold at most a sign and a digit or two digits: always in range.
  return static_cast<std::int32_t>(AtoiValue(FieldText(header, field)));
}

}  // namespace

RecorderStartTime ParseStartTime(const RecorderHeader& header) {
  namespace layout = recorder_layout;
  const std::int32_t day_of_month = FieldNumber(header, layout::kDayOfMonth);
  const std::int32_t year = FieldNumber(header, layout::kYear);
  RecorderStartTime time;
  time.fileHour = FieldNumber(header, layout::kHour);
  time.fileMinute = FieldNumber(header, layout::kMinute);
  time.fileSecond = FieldNumber(header, layout::kSecond);
  time.fileDay = DayOfYear(year, day_of_month, FieldText(header, layout::kMonthName));
  return time;
}

std::int32_t DayOfYear(std::int32_t year, std::int32_t dayOfMonth, std::string_view monthText) {
  // C++ remainder takes the sign of the dividend, so 88 and 84 count as leap years too.
  const std::int32_t february = (year - 92) % 4 == 0 ? 29 : 28;
  struct Month {
    std::string_view name;
    std::int32_t days_before;  // without February's length
    bool after_february;
  };
  static constexpr std::array<Month, 12> kMonths{{
      {"Jan", 0, false},
      {"Feb", 31, false},
      {"Mar", 31, true},
      {"Apr", 62, true},
      {"May", 92, true},
      {"Jun", 123, true},
      {"Jul", 153, true},
      {"Aug", 184, true},
      {"Sep", 215, true},
      {"Oct", 245, true},
      {"Nov", 276, true},
      {"Dec", 306, true},
  }};
  for (const Month& month : kMonths) {
    if (monthText == month.name) {
      return dayOfMonth + month.days_before + (month.after_february ? february : 0);
    }
  }
  return -1;
}

std::int64_t RoundHalfAway(double x) {
  return TruncateToInt64(x > 0 ? x + 0.5 : x - 0.5);
}

}  // namespace obscut
