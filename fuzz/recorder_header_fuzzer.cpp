// The recorder header and its start time: the fields of the 512-byte header, the start time
// text "DD Mon YY HH:MM:SS" with its calendar, and the frames behind the header.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "recorder/recorder_header.h"
#include "recorder/start_time.h"

using namespace obscut;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  RecorderHeader header;
  const auto header_bytes = input.first(std::min(input.size(), header.bytes.size()));
  std::copy(header_bytes.begin(), header_bytes.end(), header.bytes.begin());

  const RecorderStartTime start = ParseStartTime(header);
  // Every number is read from two characters at most (-9 to 99), and a recognised month adds
  // at most 335 days; an unrecognised one gives -1.
  const auto two_characters = [](std::int32_t v) { return v >= -9 && v <= 99; };
  if (!two_characters(start.fileHour) || !two_characters(start.fileMinute) ||
      !two_characters(start.fileSecond) || start.fileDay < -9 || start.fileDay > 99 + 335) {
    std::abort();
  }

  static_cast<void>(header.bytesPerSample());
  const float rate = header.sampleRate();
  // The first sample index of a window, as the shot search forms it from the rate.
  static_cast<void>(RoundHalfAway(static_cast<double>(rate) * (start.fileSecond + 0.5)));
  static_cast<void>(header.asciiHeader());

  // The frames behind the header.
  auto frames = input.subspan(header_bytes.size());
  while (frames.size() >= recorder_layout::kFrameSize) {
    static_cast<void>(DecodeFrame(frames.first<recorder_layout::kFrameSize>()));
    frames = frames.subspan(recorder_layout::kFrameSize);
  }
  return 0;
}
