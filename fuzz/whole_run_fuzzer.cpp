// A whole conversion run over a small fuzzed survey, through the code path of obscut-batch's
// main: one or two recorder files and a shot table cut from the input, written into a scratch
// folder, and the settings as command-line arguments.
//
// Input layout (all parts may be cut short by the end of the input):
//   byte 0      output channel (value mod 5)
//   byte 1      minimum time in eighths of a second (signed)
//   byte 2      window length in 128ths of a second (signed: the maximum may lie below)
//   byte 3      bit 0: a second recorder file; bits 1-3 and 4-6: the two files' numbers
//   2 bytes     length of the first recorder file (little-endian), then its bytes
//   2 bytes     length of the second, then its bytes (only with bit 0 of byte 3)
//   the rest    the shot table
//
// A recorder header's finite sample rate is kept below 1000 per second, so a window of at
// most a second holds at most 1000 samples and every execution stays fast. Rates of zero,
// negative, infinite or NaN are left as they are.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_order.h"
#include "base/string_printf.h"
#include "batch/batch_command.h"
#include "fuzz_scratch.h"
#include "recorder/recorder_header.h"

using namespace obscut;

namespace {

constexpr float kMaxSampleRate = 1000.0f;

class InputReader {
 public:
  explicit InputReader(std::span<const std::uint8_t> input) : input_(input) {}

  std::uint8_t Byte() {
    if (input_.empty()) {
      return 0;
    }
    const std::uint8_t b = input_.front();
    input_ = input_.subspan(1);
    return b;
  }

  std::vector<std::uint8_t> Part(std::size_t length) {
    const auto part = input_.first(std::min(length, input_.size()));
    input_ = input_.subspan(part.size());
    return {part.begin(), part.end()};
  }

  std::vector<std::uint8_t> LengthPrefixedPart() {
    const std::size_t low = Byte();
    const std::size_t high = Byte();
    return Part(low | high << 8);
  }

  std::vector<std::uint8_t> Rest() { return Part(input_.size()); }

 private:
  std::span<const std::uint8_t> input_;
};

void LimitSampleRate(std::vector<std::uint8_t>& recorder) {
  constexpr std::size_t at = recorder_layout::kSampleRate.offset;
  if (recorder.size() < at + recorder_layout::kSampleRate.width) {
    return;
  }
  const float rate = LoadLEFloat32(recorder, at);
  if (std::isfinite(rate) && std::fabs(rate) >= kMaxSampleRate) {
    StoreLEFloat32(recorder, at, std::fmod(rate, kMaxSampleRate));
  }
}

std::FILE* NullStream() {
  static std::FILE* const stream = std::fopen("/dev/null", "w");
  return stream;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::FuzzScratch& scratch = fuzz::FuzzScratch::Get();
  InputReader input(std::span(data, size));
  const int channel = input.Byte() % 5;
  const double min_time = static_cast<std::int8_t>(input.Byte()) / 8.0;
  const double max_time = min_time + static_cast<std::int8_t>(input.Byte()) / 128.0;
  const std::uint8_t files = input.Byte();

  std::vector<std::string> recorder_paths;
  const int file_count = (files & 1) != 0 ? 2 : 1;
  for (int i = 0; i < file_count; ++i) {
    std::vector<std::uint8_t> recorder = input.LengthPrefixedPart();
    LimitSampleRate(recorder);
    // OBSnnnnn.raw: the file number is nnnn, the processing order follows it.
    const int number = (files >> (1 + 3 * i)) & 7;
    const std::string name = StringPrintf("OBS%d%04d.raw", i, number);
    scratch.Write(name, recorder);
    recorder_paths.push_back(scratch.File(name));
  }
  scratch.Write("shots.txt", input.Rest());

  const std::string table = scratch.File("shots.txt");
  const std::string output = scratch.File("line");
  const std::string min_text = StringPrintf("%.9g", min_time);
  const std::string max_text = StringPrintf("%.9g", max_time);
  const std::string channel_text = StringPrintf("%d", channel);
  std::vector<std::string_view> arguments = {"--shot-table", table,       "--output",   output,
                                             "--min-time",   min_text,    "--max-time", max_text,
                                             "--channel",    channel_text};
  arguments.insert(arguments.end(), recorder_paths.begin(), recorder_paths.end());

  std::FILE* const discard = NullStream();  // opened before the count, once per process
  const int descriptors = fuzz::OpenFileDescriptorCount();
  RunBatchCommand(arguments, discard, discard, false);
  if (fuzz::OpenFileDescriptorCount() != descriptors) {
    std::fputs("the run left a file open\n", stderr);
    std::abort();
  }
  scratch.Clear();
  return 0;
}
