// Numbers given as command-line option values: the whole text must be the number, in the C
// locale's notation, with nothing before or after it.
#pragma once

#include <charconv>
#include <optional>
#include <string_view>
#include <system_error>

namespace obscut {

// Nothing for an empty text, trailing characters or a value out of the type's range.
template <typename Number>
std::optional<Number> ParseOptionNumber(std::string_view text) {
  Number value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return value;
}

}  // namespace obscut
