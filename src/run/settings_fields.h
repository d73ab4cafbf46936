// Checking the run's three numbers as the user typed them, shared by the settings dialog and
// the command line so both accept and refuse exactly the same texts with the same messages.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace obscut {

inline constexpr char kEnterNumberMessage[] = "Please enter a number.";
inline constexpr char kEnterIntegerMessage[] = "Please enter an integer.";
inline constexpr char kChannelRangeMessage[] = "Please enter an integer between 0 and 4.";

inline constexpr std::int32_t kMinOutputChannel = 0;
inline constexpr std::int32_t kMaxOutputChannel = 4;

// A time field: a decimal number with blanks or tabs around it and nothing else. Only the
// first 31 characters count, and a value of zero must be written starting with the digit 0
// ("0", "00" and " 0.0" pass; "-0", "+0" and ".0" do not). A value beyond the range of a
// single-precision float is refused as well.
std::optional<float> ParseTimeField(std::string_view text);

// An integer field: an optional sign and decimal digits, with the same rules for blanks, the
// 31 characters and zero. Values beyond the 32-bit range saturate.
std::optional<std::int32_t> ParseIntegerField(std::string_view text);

// The three fields, in the order in which they are checked.
enum class NumberField { kMaxTime, kMinTime, kOutputChannel };

struct NumberFieldTexts {
  std::string maxTime;
  std::string minTime;
  std::string outputChannel;
};

struct NumberFieldValues {
  float maxTime = 0.0f;
  float minTime = 0.0f;
  std::int32_t outputChannel = 0;
};

struct NumberFieldRejection {
  NumberField field;
  const char* message;
};

// Checks maximum time, minimum time and channel in that order and reports the first failing
// field; a channel outside 0 to 4 gets the range message.
std::variant<NumberFieldValues, NumberFieldRejection> CheckNumberFields(
    const NumberFieldTexts& texts);

// A time as the settings dialog shows it: the shortest form with 6 significant digits
// (60 shows as "60", 2.5 as "2.5").
std::string FormatTimeField(float seconds);

}  // namespace obscut
