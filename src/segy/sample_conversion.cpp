#include "segy/sample_conversion.h"

#include <cmath>

#include "base/byte_order.h"
#include "base/float_conversion.h"

namespace obscut {

void ConvertSamples(std::span<const float> samples, std::span<std::uint8_t> out) {
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const float sample = samples[i];
    // Recorder values fit an int32, which converts directly; anything else takes the exact path.
    const std::uint16_t bits = std::fabs(sample) < 2147483648.0f
                                   ? static_cast<std::uint16_t>(static_cast<std::int32_t>(sample))
                                   : TruncatedLow16(sample);
    StoreLE16(out, 2 * i, bits);
  }
}

}  // namespace obscut
