#include "platform/text_line_reader.h"

#include <cerrno>

#include "platform/file_error.h"

namespace obscut {

TextLineReader::TextLineReader(std::string path, FileHandle handle, std::size_t capacity,
                               std::int64_t length)
    : path_(std::move(path)), handle_(std::move(handle)), capacity_(capacity), length_(length) {}

std::optional<TextLineReader> TextLineReader::Open(const std::string& path, std::size_t capacity) {
  int error_number = 0;
  FileHandle handle = OpenFileHandle(path, FileMode::kReadBinary, error_number);
  if (!handle) {
    return std::nullopt;
  }
  const std::int64_t length = FileLength(handle.get());
  return TextLineReader(path, std::move(handle), capacity, length);
}

std::optional<std::string> TextLineReader::ReadLine() {
  std::FILE* file = handle_.get();
  std::string line;
  errno = 0;
  while (line.size() + 1 < capacity_) {
    int c = std::getc(file);
    if (c == EOF) {
      break;
    }
    ++bytes_read_;
    if (c == '\r') {
      const int next = std::getc(file);
      if (next == '\n') {
        ++bytes_read_;
        c = '\n';
      } else if (next != EOF) {
        std::ungetc(next, file);
      }
    }
    line.push_back(static_cast<char>(c));
    if (c == '\n') {
      break;
    }
  }
  if (std::ferror(file)) {
    throw FileError::FromErrno(path_, errno != 0 ? errno : EIO);
  }
  if (line.empty()) {
    return std::nullopt;
  }
  return line;
}

}  // namespace obscut
