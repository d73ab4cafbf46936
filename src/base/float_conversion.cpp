#include "base/float_conversion.h"

#include <cmath>
#include <limits>

namespace obscut {

std::int64_t TruncateToInt64(double x) {
  if (std::isnan(x)) {
    return 0;
  }
  // 2^63 is exact in double; every double below it in magnitude converts without overflow.
  constexpr double kLimit = 9223372036854775808.0;
  if (x >= kLimit) {
    return std::numeric_limits<std::int64_t>::max();
  }
  if (x <= -kLimit) {
    return std::numeric_limits<std::int64_t>::min();
  }
  return static_cast<std::int64_t>(x);
}

std::uint32_t TruncatedLow32(double x) {
  if (!std::isfinite(x)) {
    return 0;
  }
  // fmod is exact, so this is the true remainder even where the integer has no 64-bit form.
  constexpr double kModulus = 4294967296.0;
  double low = std::fmod(std::trunc(x), kModulus);
  if (low < 0) {
    low += kModulus;
  }
  return static_cast<std::uint32_t>(low);
}

std::uint16_t TruncatedLow16(double x) {
  return static_cast<std::uint16_t>(TruncatedLow32(x));
}

}  // namespace obscut
