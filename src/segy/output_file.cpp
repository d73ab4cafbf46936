#include "segy/output_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace obscut {
namespace {
// Large enough that the system's cost per request no longer counts, small enough for four
// files' worth to stay a few megabytes.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
}  // namespace

OutputFile::OutputFile(std::string path, FileHandle file, std::optional<FileError> error)
    : path_(std::move(path)), file_(std::move(file)), error_(std::move(error)) {}

OutputFile OutputFile::Create(std::string path) {
  int error_number = 0;
  FileHandle file = OpenFileHandle(path, FileMode::kCreateBinary, error_number);
  if (!file) {
    FileError error = FileError::FromErrno(path, error_number);
    return OutputFile(std::move(path), nullptr, std::move(error));
  }
  // Not buffered by the C library: the blocks gathered here are the only buffer, so the
  // length the file has before a block is exactly what the earlier blocks put there.
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  return OutputFile(std::move(path), std::move(file), std::nullopt);
}

OutputFile::~OutputFile() {
  try {
    Flush();
  } catch (const FileError&) {
    // The file keeps its complete records; the run is ending early already.
  }
}

std::FILE* OutputFile::file() {
  if (!file_) {
    throw error_.value_or(FileError(path_, FileError::Cause::kOther, "the file is closed"));
  }
  return file_.get();
}

void OutputFile::Fail(int error_number) {
  error_ = FileError::FromErrno(path_, error_number != 0 ? error_number : EIO);
  file_.reset();
  throw *error_;
}

void OutputFile::Write(std::span<const std::uint8_t> bytes) {
  file();  // a file that cannot be used says so at once
  if (!gathered_.empty() && gathered_.size() + bytes.size() > kBlockBytes) {
    Flush();
  }
  if (gathered_.capacity() == 0) {
    gathered_.reserve(kBlockBytes);
  }
  gathered_.insert(gathered_.end(), bytes.begin(), bytes.end());
  recordEnds_.push_back(gathered_.size());
}

void OutputFile::Flush() {
  if (gathered_.empty()) {
    return;
  }
  std::FILE* stream = file();
  const std::int64_t length_before = FileLength(stream);
  const std::int64_t position_before = TellPosition(stream);
  errno = 0;
  const std::size_t sent = std::fwrite(gathered_.data(), 1, gathered_.size(), stream);
  if (sent == gathered_.size()) {
    gathered_.clear();
    recordEnds_.clear();
    return;
  }
  const int error_number = errno;
  // The records that reached the file completely stay; a part of the next one does not.
  std::size_t kept = 0;
  for (const std::size_t end : recordEnds_) {
    if (end <= sent) {
      kept = end;
    }
  }
  gathered_.clear();
  recordEnds_.clear();
  // Closed first, so that nothing the stream still holds can reach the file after the cut.
  file_.reset();
  if (length_before >= 0 && position_before >= 0) {
    // The block may begin past the end (after a positioning) or inside the file (a patch).
    const std::int64_t complete =
        kept > 0 ? position_before + static_cast<std::int64_t>(kept) : length_before;
    std::error_code ignored;  // the write's own error is the one to report
    std::filesystem::resize_file(
        path_, static_cast<std::uintmax_t>(std::max(length_before, complete)), ignored);
  }
  Fail(error_number);
}

void OutputFile::Seek(std::int64_t offset) {
  Flush();
  std::FILE* stream = file();
  if (offset < 0) {
    throw FileError(path_, FileError::Cause::kBadSeek);
  }
  errno = 0;
  if (!SeekTo(stream, offset)) {
    Fail(errno);
  }
}

void OutputFile::CloseAsItStands() {
  if (!file_) {
    return;
  }
  Flush();
  file_.reset();
}

void OutputFile::Close() {
  if (file_) {
    Flush();
  }
  std::FILE* stream = file_.release();
  if (stream == nullptr) {
    if (error_) {
      throw *error_;  // the file was never created, or a write failed
    }
    return;  // closed already
  }
  errno = 0;
  if (std::fclose(stream) != 0) {
    Fail(errno);
  }
}

}  // namespace obscut
