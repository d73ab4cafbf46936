#include "base/number_scanner.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace obscut {
namespace {

// White space as the C locale's isspace() knows it.
bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view UpToNul(std::string_view text) {
  const auto nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

// Accumulates decimal digits into a magnitude that saturates instead of overflowing.
std::int64_t SaturatingDecimal(std::string_view digits, bool negative) {
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  std::uint64_t magnitude = 0;
  const std::uint64_t limit = negative ? static_cast<std::uint64_t>(kMax) + 1 : kMax;
  for (char c : digits) {
    const auto d = static_cast<std::uint64_t>(c - '0');
    if (magnitude > (limit - d) / 10) {
      magnitude = limit;
      break;
    }
    magnitude = magnitude * 10 + d;
  }
  if (!negative) {
    return static_cast<std::int64_t>(magnitude);
  }
  return magnitude == limit ? std::numeric_limits<std::int64_t>::min()
                            : -static_cast<std::int64_t>(magnitude);
}

// The longest prefix of `s` that could begin a strtof number, whether it is a number, and how
// much of it makes up the value. Follows the C grammar for strtod in the "C" locale.
struct FloatToken {
  std::size_t length = 0;  // characters consumed
  bool complete = false;
  std::size_t value_length = 0;  // characters that make up the value (a prefix of the above)
};

// A token whose value is everything it consumed.
FloatToken Whole(std::size_t length, bool complete) {
  return {length, complete, length};
}

FloatToken MatchFloat(std::string_view s) {
  std::size_t i = 0;
  auto peek = [&](std::size_t k = 0) { return i + k < s.size() ? s[i + k] : '\0'; };
  if (peek() == '+' || peek() == '-') {
    ++i;
  }
  // Words: "inf", "infinity", "nan", "nan(chars)". Each character is taken while the text so
  // far can still become a word.
  auto match_word = [&](std::string_view word) {
    std::size_t k = 0;
    while (k < word.size() && Lower(peek()) == word[k]) {
      ++i;
      ++k;
    }
    return k;
  };
  if (Lower(peek()) == 'i') {
    const std::size_t k = match_word("inf");
    if (k < 3) {
      return Whole(i, false);
    }
    if (Lower(peek()) != 'i') {
      return Whole(i, true);
    }
    const std::size_t rest = match_word("inity");
    return Whole(i, rest == 5);
  }
  if (Lower(peek()) == 'n') {
    const std::size_t k = match_word("nan");
    if (k < 3) {
      return Whole(i, false);
    }
    if (peek() != '(') {
      return Whole(i, true);
    }
    ++i;
    while (IsDigit(peek()) || (Lower(peek()) >= 'a' && Lower(peek()) <= 'z') || peek() == '_') {
      ++i;
    }
    // An unclosed "nan(" still reads as NaN, as the C library's scanf has it.
    return Whole(peek() == ')' ? i + 1 : i, true);
  }
  bool hex = false;
  if (peek() == '0' && Lower(peek(1)) == 'x') {
    hex = true;
    i += 2;
  }
  auto is_mantissa_digit = [&](char c) { return hex ? IsHexDigit(c) : IsDigit(c); };
  std::size_t digits = 0;
  while (is_mantissa_digit(peek())) {
    ++i;
    ++digits;
  }
  if (peek() == '.') {
    ++i;
    while (is_mantissa_digit(peek())) {
      ++i;
      ++digits;
    }
  }
  if (digits == 0) {
    // "0x" alone cannot be completed into a number here; neither can "." or a lone sign.
    return Whole(i, false);
  }
  const char exponent_mark = hex ? 'p' : 'e';
  if (Lower(peek()) == exponent_mark) {
    const std::size_t mantissa_end = i;
    ++i;
    if (peek() == '+' || peek() == '-') {
      ++i;
    }
    std::size_t exponent_digits = 0;
    while (IsDigit(peek())) {
      ++i;
      ++exponent_digits;
    }
    if (exponent_digits == 0) {
      // "1e" or "1.5e+": the C library's scanf consumes the exponent mark and its sign but
      // converts only the mantissa.
      return {i, true, mantissa_end};
    }
  }
  return Whole(i, true);
}

// Decimal order of magnitude of a finite token that does not fit a double: positive when the
// value is too large, negative when it is too small. Only its sign is used.
std::int64_t OrderOfMagnitude(std::string_view token) {
  std::size_t i = (token[0] == '+' || token[0] == '-') ? 1 : 0;
  const bool hex = token.size() > i + 1 && token[i] == '0' && Lower(token[i + 1]) == 'x';
  if (hex) {
    i += 2;
  }
  const char exponent_mark = hex ? 'p' : 'e';
  std::int64_t position = 0;  // digits before the point, minus zeros after it
  bool seen_nonzero = false;
  bool after_point = false;
  for (; i < token.size() && Lower(token[i]) != exponent_mark; ++i) {
    if (token[i] == '.') {
      after_point = true;
    } else if (token[i] != '0') {
      seen_nonzero = true;
      if (after_point) {
        break;
      }
      ++position;
    } else if (seen_nonzero && !after_point) {
      ++position;
    } else if (!seen_nonzero && after_point) {
      --position;
    }
  }
  while (i < token.size() && Lower(token[i]) != exponent_mark) {
    ++i;
  }
  std::int64_t exponent = 0;
  if (i < token.size()) {
    std::string_view e = token.substr(i + 1);
    const bool negative = !e.empty() && e[0] == '-';
    if (!e.empty() && (e[0] == '-' || e[0] == '+')) {
      e.remove_prefix(1);
    }
    exponent = SaturatingDecimal(e, negative) / (hex ? 3 : 1);  // 2^3 ~ 10^1 is enough here
  }
  // Keep the sum from overflowing: either term alone already has the right sign when large.
  if (exponent > (1LL << 60) || exponent < -(1LL << 60)) {
    return exponent;
  }
  return position + exponent;
}

float ConvertFloatToken(std::string_view token) {
  const bool negative = token[0] == '-';
  std::string_view body = (token[0] == '+' || token[0] == '-') ? token.substr(1) : token;
  const float sign = negative ? -1.0f : 1.0f;
  const char first = Lower(body[0]);
  if (first == 'i') {
    return sign * std::numeric_limits<float>::infinity();
  }
  if (first == 'n') {
    return std::copysign(std::numeric_limits<float>::quiet_NaN(), sign);
  }
  auto format = std::chars_format::general;
  if (body.size() > 1 && body[0] == '0' && Lower(body[1]) == 'x') {
    body.remove_prefix(2);
    format = std::chars_format::hex;
  }
  float value = 0.0f;
  const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value, format);
  if (error == std::errc()) {
    return sign * value;
  }
  // Out of the float range: a double may still hold it (a subnormal float, or a value that
  // becomes infinity); beyond the double range only the direction matters.
  double wide = 0.0;
  const auto wide_result = std::from_chars(body.data(), body.data() + body.size(), wide, format);
  if (wide_result.ec == std::errc()) {
    if (std::fabs(wide) > std::numeric_limits<float>::max()) {
      return sign * std::numeric_limits<float>::infinity();
    }
    return sign * static_cast<float>(wide);
  }
  return OrderOfMagnitude(token) > 0 ? sign * std::numeric_limits<float>::infinity() : sign * 0.0f;
}

}  // namespace

std::int64_t AtoiValue(std::string_view text) {
  text = UpToNul(text);
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t first_digit = i;
  while (i < text.size() && IsDigit(text[i])) {
    ++i;
  }
  return SaturatingDecimal(text.substr(first_digit, i - first_digit), negative);
}

ScanCursor::ScanCursor(std::string_view text) : text_(UpToNul(text)) {}

bool ScanCursor::SkipSpace() {
  while (pos_ < text_.size() && IsCSpace(text_[pos_])) {
    ++pos_;
  }
  return pos_ < text_.size();
}

ScanCursor::Result ScanCursor::ReadInteger(std::int64_t& value) {
  if (!SkipSpace()) {
    return Result::kEndOfInput;
  }
  std::size_t i = pos_;
  bool negative = false;
  if (text_[i] == '+' || text_[i] == '-') {
    negative = text_[i] == '-';
    ++i;
  }
  const std::size_t first_digit = i;
  while (i < text_.size() && IsDigit(text_[i])) {
    ++i;
  }
  if (i == first_digit) {
    return Result::kMismatch;
  }
  value = SaturatingDecimal(text_.substr(first_digit, i - first_digit), negative);
  pos_ = i;
  return Result::kOk;
}

ScanCursor::Result ScanCursor::ReadFloat(float& value) {
  if (!SkipSpace()) {
    return Result::kEndOfInput;
  }
  const FloatToken token = MatchFloat(text_.substr(pos_));
  if (!token.complete) {
    return Result::kMismatch;
  }
  value = ConvertFloatToken(text_.substr(pos_, token.value_length));
  pos_ += token.length;
  return Result::kOk;
}

int ScanValues(std::string_view text, std::span<const ScanSlot> slots) {
  ScanCursor cursor(text);
  int converted = 0;
  for (const ScanSlot& slot : slots) {
    ScanCursor::Result result = ScanCursor::Result::kOk;
    if (auto* integer = std::get_if<std::int64_t*>(&slot)) {
      result = cursor.ReadInteger(**integer);
    } else {
      result = cursor.ReadFloat(*std::get<float*>(slot));
    }
    if (result == ScanCursor::Result::kEndOfInput) {
      return converted == 0 ? -1 : converted;
    }
    if (result == ScanCursor::Result::kMismatch) {
      return converted;
    }
    ++converted;
  }
  return converted;
}

}  // namespace obscut
