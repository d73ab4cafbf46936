#include "recorder/recorder_file.h"

#include <utility>

namespace obscut {
namespace {
constexpr std::size_t kReadAheadBytes = 64 * 1024;
}  // namespace

RecorderFile::RecorderFile(BinaryFile file) : file_(std::move(file)) {}

std::optional<RecorderFile> RecorderFile::ReadRecorderHeader(const std::string& path) {
  RecorderFile recorder(BinaryFile::OpenForReading(path));
  if (recorder.file_.Read(recorder.header_.bytes) < recorder_layout::kHeaderSize) {
    return std::nullopt;
  }
  return recorder;
}

void RecorderFile::SeekFrame(std::int64_t k) {
  const std::int64_t bytes_per_frame =
      static_cast<std::int64_t>(recorder_layout::kChannelCount) * header_.bytesPerSample();
  file_.Seek(static_cast<std::int64_t>(recorder_layout::kHeaderSize) + bytes_per_frame * k);
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

}  // namespace obscut
