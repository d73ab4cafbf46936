// Loading and storing fixed-width values in a named byte order.
//
// Values are assembled with shifts from unsigned bytes, never through pointer casts, so the
// result does not depend on the host's byte order or on the alignment of the buffer.
#pragma once

#include <bit>
#include <cstdint>
#include <span>

namespace obscut {

using ByteSpan = std::span<const std::uint8_t>;
using MutableByteSpan = std::span<std::uint8_t>;

inline std::uint16_t LoadBE16(ByteSpan b, std::size_t at) {
  return static_cast<std::uint16_t>((b[at] << 8) | b[at + 1]);
}

inline std::uint16_t LoadLE16(ByteSpan b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

inline std::uint32_t LoadLE32(ByteSpan b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

inline float LoadLEFloat32(ByteSpan b, std::size_t at) {
  return std::bit_cast<float>(LoadLE32(b, at));
}

inline void StoreLE16(MutableByteSpan b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void StoreBE16(MutableByteSpan b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v >> 8);
  b[at + 1] = static_cast<std::uint8_t>(v);
}

inline void StoreLE32(MutableByteSpan b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
}

inline void StoreLEFloat32(MutableByteSpan b, std::size_t at, float v) {
  StoreLE32(b, at, std::bit_cast<std::uint32_t>(v));
}

}  // namespace obscut
