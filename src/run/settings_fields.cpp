#include "run/settings_fields.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "base/number_scanner.h"

namespace obscut {
namespace {

constexpr std::size_t kCharactersRead = 31;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The field as it is read: its first 31 characters without the blanks around the value.
// Nothing when only blanks are left.
std::optional<std::string_view> ValueText(std::string_view text) {
  text = text.substr(0, kCharactersRead);
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  if (text.empty()) {
    return std::nullopt;
  }
  return text;
}

// Length of a decimal number at the start of `s`: [sign] digits [. digits] [e [sign] digits],
// with at least one mantissa digit; 0 when there is none.
std::size_t DecimalNumberLength(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    ++i;
  }
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) {
    ++i;
    ++digits;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) {
      ++i;
      ++digits;
    }
  }
  if (digits == 0) {
    return 0;
  }
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
      ++j;
    }
    const std::size_t exponent_start = j;
    while (j < s.size() && IsDigit(s[j])) {
      ++j;
    }
    if (j > exponent_start) {
      i = j;
    }
  }
  return i;
}

}  // namespace

std::optional<float> ParseTimeField(std::string_view text) {
  const auto value_text = ValueText(text);
  if (!value_text || DecimalNumberLength(*value_text) != value_text->size()) {
    return std::nullopt;
  }
  std::string_view digits = *value_text;
  if (digits.front() == '+') {
    digits.remove_prefix(1);  // from_chars takes no plus sign
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || std::fabs(value) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  if (value == 0.0 && value_text->front() != '0') {
    return std::nullopt;
  }
  return static_cast<float>(value);
}

std::optional<std::int32_t> ParseIntegerField(std::string_view text) {
  const auto value_text = ValueText(text);
  if (!value_text) {
    return std::nullopt;
  }
  std::size_t i = 0;
  if (value_text->front() == '+' || value_text->front() == '-') {
    ++i;
  }
  const std::size_t first_digit = i;
  while (i < value_text->size() && IsDigit((*value_text)[i])) {
    ++i;
  }
  if (i == first_digit || i != value_text->size()) {
    return std::nullopt;
  }
  const std::int64_t value = AtoiValue(*value_text);
  if (value == 0 && value_text->front() != '0') {
    return std::nullopt;
  }
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

std::variant<NumberFieldValues, NumberFieldRejection> CheckNumberFields(
    const NumberFieldTexts& texts) {
  NumberFieldValues values;
  if (const auto max_time = ParseTimeField(texts.maxTime)) {
    values.maxTime = *max_time;
  } else {
    return NumberFieldRejection{NumberField::kMaxTime, kEnterNumberMessage};
  }
  if (const auto min_time = ParseTimeField(texts.minTime)) {
    values.minTime = *min_time;
  } else {
    return NumberFieldRejection{NumberField::kMinTime, kEnterNumberMessage};
  }
  const auto channel = ParseIntegerField(texts.outputChannel);
  if (!channel) {
    return NumberFieldRejection{NumberField::kOutputChannel, kEnterIntegerMessage};
  }
  if (*channel < kMinOutputChannel || *channel > kMaxOutputChannel) {
    return NumberFieldRejection{NumberField::kOutputChannel, kChannelRangeMessage};
  }
  values.outputChannel = *channel;
  return values;
}

std::string FormatTimeField(float seconds) {
  char buffer[64];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof(buffer), seconds, std::chars_format::general, 6);
  return error == std::errc() ? std::string(buffer, end) : std::string();
}

}  // namespace obscut
