// The number scanner against the C library's own sscanf in the "C" locale. The shot table is
// defined by what sscanf makes of its lines, so both must read every text alike: the same
// count and the same values. The first input byte chooses "%d" or "%f" for each of eight
// directives; the rest is the text.
//
// Only decimal texts are compared: a text holding any letter but e or E is passed over. For
// the words "inf" and "nan(...)" and for hexadecimal numbers the scanner makes choices of its
// own, pinned down by its unit tests, where glibc's scanf differs ("nan(1) 5" or "0x.p1").
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/number_scanner.h"

using namespace obscut;

namespace {

constexpr std::size_t kDirectives = 8;

bool SameFloat(float a, float b) {
  if (std::isnan(a) || std::isnan(b)) {
    return std::isnan(a) && std::isnan(b) && std::signbit(a) == std::signbit(b);
  }
  std::uint32_t bits_a = 0;
  std::uint32_t bits_b = 0;
  std::memcpy(&bits_a, &a, sizeof a);
  std::memcpy(&bits_b, &b, sizeof b);
  return bits_a == bits_b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const unsigned kinds = data[0];
  const std::string text(data + 1, data + size);
  for (const char c : text) {
    if (((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) && c != 'e' && c != 'E') {
      return 0;
    }
  }

  std::vector<std::int64_t> our_integers(kDirectives, 7);
  std::vector<long> c_integers(kDirectives, 7);
  std::vector<float> our_floats(kDirectives, 7.0f);
  std::vector<float> c_floats(kDirectives, 7.0f);
  std::vector<ScanSlot> slots;
  std::vector<void*> c_slots;
  std::string format;
  for (std::size_t i = 0; i < kDirectives; ++i) {
    if ((kinds >> i & 1) != 0) {
      slots.emplace_back(&our_floats[i]);
      c_slots.push_back(&c_floats[i]);
      format += "%f";
    } else {
      slots.emplace_back(&our_integers[i]);
      c_slots.push_back(&c_integers[i]);
      format += "%ld";
    }
  }

  const int ours = ScanValues(text, slots);
  const int theirs = std::sscanf(text.c_str(), format.c_str(), c_slots[0], c_slots[1], c_slots[2],
                                 c_slots[3], c_slots[4], c_slots[5], c_slots[6], c_slots[7]);
  bool same = ours == theirs;
  for (std::size_t i = 0; i < kDirectives; ++i) {
    same = same && our_integers[i] == c_integers[i] && SameFloat(our_floats[i], c_floats[i]);
  }
  if (!same) {
    std::fprintf(stderr, "format %s: count %d, sscanf %d\n", format.c_str(), ours, theirs);
    for (std::size_t i = 0; i < kDirectives; ++i) {
      std::fprintf(stderr, "  %zu: %lld %ld  %a %a\n", i, static_cast<long long>(our_integers[i]),
                   c_integers[i], static_cast<double>(our_floats[i]),
                   static_cast<double>(c_floats[i]));
    }
    std::abort();
  }
  return 0;
}
