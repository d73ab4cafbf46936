// A field of a fixed binary layout: where it starts and how many bytes it spans.
#pragma once

#include <cstddef>

namespace obscut {

struct FieldSpec {
  std::size_t offset;  // from the start of the record, counting from 0
  std::size_t width;   // in bytes
};

}  // namespace obscut
