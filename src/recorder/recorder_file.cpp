#include "recorder/recorder_file.h"

#include <algorithm>
#include <utility>

namespace obscut {
namespace {
constexpr std::size_t kReadAheadBytes = 64 * 1024;
}  // namespace

std::int64_t FramePosition(std::int16_t bytesPerSample, std::int64_t k) {
  const std::int64_t bytes_per_frame =
      static_cast<std::int64_t>(recorder_layout::kChannelCount) * bytesPerSample;
  return static_cast<std::int64_t>(recorder_layout::kHeaderSize) + bytes_per_frame * k;
}

std::int64_t FramesFrom(std::int64_t length, std::int64_t position) {
  if (position >= length) {
    return 0;
  }
  return (length - position) / static_cast<std::int64_t>(recorder_layout::kFrameSize);
}

RecorderFile::RecorderFile(BinaryFile file) : file_(std::move(file)) {}

std::optional<RecorderFile> RecorderFile::ReadRecorderHeader(const std::string& path) {
  RecorderFile recorder(BinaryFile::OpenForReading(path));
  if (recorder.file_.Read(recorder.header_.bytes) < recorder_layout::kHeaderSize) {
    return std::nullopt;
  }
  return recorder;
}

void RecorderFile::SeekFrame(std::int64_t k) {
  file_.Seek(FramePosition(header_.bytesPerSample(), k));
  buffered_begin_ = buffered_end_ = 0;
}

bool RecorderFile::ReadFrame(SampleFrame& frame) {
  constexpr std::size_t kFrame = recorder_layout::kFrameSize;
  if (buffered_end_ - buffered_begin_ < kFrame) {
    if (buffer_.empty()) {
      buffer_.resize(kReadAheadBytes);
    }
    // Keep the unread remainder; a file's last partial frame stays short and ends the data.
    const std::size_t left = buffered_end_ - buffered_begin_;
    std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(buffered_begin_),
              buffer_.begin() + static_cast<std::ptrdiff_t>(buffered_end_), buffer_.begin());
    buffered_begin_ = 0;
    buffered_end_ = left + file_.Read(std::span(buffer_).subspan(left));
    if (buffered_end_ < kFrame) {
      return false;
    }
  }
  frame = DecodeFrame(std::span(buffer_).subspan(buffered_begin_).first<kFrame>());
  buffered_begin_ += kFrame;
  return true;
}

std::size_t RecorderFile::ReadFrameBytes(std::span<std::uint8_t> out) {
  constexpr std::size_t kFrame = recorder_layout::kFrameSize;
  out = out.first(out.size() - out.size() % kFrame);
  // What ReadFrame has read ahead comes first.
  const std::size_t from_buffer = std::min(buffered_end_ - buffered_begin_, out.size());
  std::copy_n(buffer_.begin() + static_cast<std::ptrdiff_t>(buffered_begin_), from_buffer,
              out.begin());
  buffered_begin_ += from_buffer;
  std::size_t got = from_buffer;
  if (got < out.size()) {
    got += file_.Read(out.subspan(got));
  }
  const std::size_t whole = got - got % kFrame;
  if (whole < got) {
    // The data ended inside a frame; keep those bytes, as ReadFrame would, so the end of the
    // data stays where it is for a later call.
    buffer_.resize(std::max(buffer_.size(), kReadAheadBytes));
    std::copy(out.begin() + static_cast<std::ptrdiff_t>(whole),
              out.begin() + static_cast<std::ptrdiff_t>(got), buffer_.begin());
    buffered_begin_ = 0;
    buffered_end_ = got - whole;
  }
  return whole;
}

}  // namespace obscut
