// Number reading with the rules of the C library's text conversions, independent of the
// process locale (a desktop toolkit may switch LC_NUMERIC to one with a decimal comma).
//
// The shot table, the recorder start time and the file numbers are defined by what atoi and
// sscanf make of them, so these functions reproduce those rules exactly, including their
// treatment of partial input.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace obscut {

// atoi: leading white space, one optional sign, decimal digits up to the first other
// character; no digit gives 0. Saturates at the 64-bit range instead of overflowing.
std::int64_t AtoiValue(std::string_view text);

// Reads successive values from a C string by the rules of sscanf's "%d" and "%f" directives.
// The text ends at its first NUL byte, as a C string would.
class ScanCursor {
 public:
  enum class Result {
    kOk,          // a value was converted
    kMismatch,    // the next characters do not form a value (matching failure)
    kEndOfInput,  // only white space was left before the value (input failure)
  };

  // The cursor reads `text` in place: the text must outlive it.
  explicit ScanCursor(std::string_view text);
  explicit ScanCursor(std::string&&) = delete;

  // "%d": optional sign and decimal digits; saturates at the 64-bit range as strtol does on
  // a 64-bit platform. Callers keep the low bits they need.
  Result ReadInteger(std::int64_t& value);

  // "%f": decimal or hexadecimal numbers, "inf", "infinity", "nan" and "nan(...)", read as
  // the C library's scanf reads them: the longest text that could begin a number is
  // consumed; an exponent without digits ("1e", "1.5e+") is consumed but leaves the value of
  // the mantissa, while a lone "0x" or a cut-off "infinity" is a matching failure.
  // Out-of-range values become infinity or zero, as strtof gives them.
  Result ReadFloat(float& value);

 private:
  // Skips white space; false when the text ends.
  bool SkipSpace();

  std::string_view text_;
  std::size_t pos_ = 0;
};

// Runs a scanf-style format made only of "%d" and "%f" directives, one slot per directive:
// an int64 slot reads "%d", a float slot "%f". Returns sscanf's count: the number of values
// converted, or -1 when the input ended before the first value. Slots that were not
// converted keep their values.
using ScanSlot = std::variant<std::int64_t*, float*>;
int ScanValues(std::string_view text, std::span<const ScanSlot> slots);

}  // namespace obscut
