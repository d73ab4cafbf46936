// Turning floating-point values into the fixed-width integers of a binary format.
//
// The formats we write keep "the low 16 or 32 bits of the value truncated toward zero". A
// plain cast to a narrow integer type is undefined past that type's range and gives other
// bits, so these helpers take the low bits of the true truncated value instead: 300000.5 *
// 10000 stores the low 32 bits of 3000005000, that is -1294962296 as a signed field.
#pragma once

#include <cstdint>

namespace obscut {

// `x` truncated toward zero, saturating at the ends of the 64-bit range; NaN gives 0.
std::int64_t TruncateToInt64(double x);

// The low 32 or 16 bits of `x` truncated toward zero, in two's complement, exact for every
// finite value; infinities and NaN give 0.
std::uint32_t TruncatedLow32(double x);
std::uint16_t TruncatedLow16(double x);

}  // namespace obscut
