#include "segy/sample_conversion.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <stdexcept>

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

void ConvertSamples(std::span<const std::uint16_t> samples, std::span<std::uint8_t> out) {
  if (out.size() < samples.size_bytes()) {
    throw std::length_error("trace samples beyond their bytes");
  }
  if constexpr (std::endian::native == std::endian::little) {
    // The values' own bytes are already in file order.
    std::memcpy(out.data(), samples.data(), samples.size_bytes());
  } else {
    for (std::size_t i = 0; i < samples.size(); ++i) {
      StoreLE16(out, 2 * i, samples[i]);
    }
  }
}

}  // namespace obscut
