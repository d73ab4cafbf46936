// A field of a fixed binary layout: where it starts and how many bytes it spans.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/byte_order.h"

namespace obscut {

struct FieldSpec {
  std::size_t offset;  // from the start of the record, counting from 0
  std::size_t width;   // in bytes
};

// Stores `value` little-endian into a 2- or 4-byte field of `record`; a 2-byte field keeps the
// low 16 bits.
inline void StoreLEField(MutableByteSpan record, FieldSpec field, std::uint32_t value) {
  if (field.width == 2) {
    StoreLE16(record, field.offset, static_cast<std::uint16_t>(value));
  } else {
    StoreLE32(record, field.offset, value);
  }
}

}  // namespace obscut
