// Trace samples as the SEG-Y files hold them: 16-bit two's complement, least significant byte
// first.
#pragma once

#include <cstdint>
#include <span>

namespace obscut {

// Writes each sample truncated toward zero, keeping its low 16 bits, into two bytes of `out`
// (which holds 2 * samples.size() bytes). There is no clamping: a recorder value of 65535.0
// comes out as the bit pattern 0xFFFF (-1) it was recorded as, 32768.0 as -32768.
void ConvertSamples(std::span<const float> samples, std::span<std::uint8_t> out);

// The same for samples held as 16-bit values, which the conversion above leaves unchanged:
// each goes into two bytes of `out`, least significant first.
void ConvertSamples(std::span<const std::uint16_t> samples, std::span<std::uint8_t> out);

}  // namespace obscut
