#include "platform/binary_file.h"

#include <cerrno>
#include <utility>

#include "platform/file_error.h"

namespace obscut {

BinaryFile::BinaryFile(std::string path, FileHandle handle)
    : path_(std::move(path)), handle_(std::move(handle)) {}

BinaryFile BinaryFile::OpenForReading(std::string path) {
  int error_number = 0;
  FileHandle handle = OpenFileHandle(path, FileMode::kReadBinary, error_number);
  if (!handle) {
    throw FileError::FromErrno(std::move(path), error_number);
  }
  return BinaryFile(std::move(path), std::move(handle));
}

BinaryFile BinaryFile::Create(std::string path) {
  int error_number = 0;
  FileHandle handle = OpenFileHandle(path, FileMode::kCreateBinary, error_number);
  if (!handle) {
    throw FileError::FromErrno(std::move(path), error_number);
  }
  return BinaryFile(std::move(path), std::move(handle));
}

void BinaryFile::Fail(int error_number) const {
  throw FileError::FromErrno(path_, error_number != 0 ? error_number : EIO);
}

std::size_t BinaryFile::Read(std::span<std::uint8_t> buffer) {
  errno = 0;
  const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), handle_.get());
  if (got < buffer.size() && std::ferror(handle_.get())) {
    Fail(errno);
  }
  return got;
}

void BinaryFile::Write(std::span<const std::uint8_t> bytes) {
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), handle_.get()) != bytes.size()) {
    Fail(errno);
  }
}

void BinaryFile::Seek(std::int64_t offset) {
  if (offset < 0) {
    throw FileError(path_, FileError::Cause::kBadSeek);
  }
  errno = 0;
  if (!SeekTo(handle_.get(), offset)) {
    Fail(errno);
  }
}

std::int64_t BinaryFile::Length() {
  errno = 0;
  const std::int64_t length = FileLength(handle_.get());
  if (length < 0) {
    Fail(errno);
  }
  return length;
}

void BinaryFile::Close() {
  if (!handle_) {
    return;
  }
  std::FILE* file = handle_.release();
  errno = 0;
  if (std::fclose(file) != 0) {
    Fail(errno);
  }
}

}  // namespace obscut
