// A recorder data file opened for reading: its header, its length and its sample frames.
//
// Frame k lies at byte 512 + 8k. Positioning follows the header's sample width,
// 512 + 4 * bytesPerSample * k, while frames are always read 8 bytes at a time; the two agree
// when bytesPerSample is 2. A remainder of fewer than 8 bytes at the end never yields a frame.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/binary_file.h"
#include "recorder/recorder_header.h"

namespace obscut {

// The byte position of frame `k` (k >= 0) for a header's sample width:
// 512 + 4 * bytesPerSample * k.
std::int64_t FramePosition(std::int16_t bytesPerSample, std::int64_t k);

// Whole frames a file of `length` bytes delivers when read from byte `position` on.
std::int64_t FramesFrom(std::int64_t length, std::int64_t position);

class RecorderFile {
 public:
  // Opens `path` read-only and reads its 512-byte header, leaving the file at frame 0.
  // Gives nothing when the file holds fewer than 512 bytes (the file is closed again).
  // Raises FileError when the file cannot be opened or read.
  static std::optional<RecorderFile> ReadRecorderHeader(const std::string& path);

  const std::string& path() const { return file_.path(); }
  const RecorderHeader& header() const { return header_; }

  // The file's length in bytes, header included.
  std::int64_t Length() { return file_.Length(); }

  // Positions at frame `k` (k >= 0): byte 512 + 4 * bytesPerSample * k.
  void SeekFrame(std::int64_t k);

  // Reads the next frame; false when fewer than 8 bytes are left (the end of the data).
  bool ReadFrame(SampleFrame& frame);

  // Reads the next whole frames into `out`, as many as fit, in as few requests as the system
  // allows, and gives the number of bytes of whole frames delivered. Fewer than asked means
  // the data ended; a piece of a frame at the end is never delivered.
  std::size_t ReadFrameBytes(std::span<std::uint8_t> out);

 private:
  explicit RecorderFile(BinaryFile file);

  BinaryFile file_;
  RecorderHeader header_;
  // Frames are read ahead in large blocks; the bytes delivered are the same.
  std::vector<std::uint8_t> buffer_;
  std::size_t buffered_begin_ = 0;
  std::size_t buffered_end_ = 0;
};

}  // namespace obscut
