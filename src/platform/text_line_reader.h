// Reads a text file line by line as fgets does on a stream opened in text mode: a read ends
// after a line feed or after `capacity - 1` characters, whichever comes first, so a longer
// line arrives in pieces. A carriage return directly before a line feed is dropped, as text
// mode does on Windows, so files with either line end read the same everywhere.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_handle.h"

namespace obscut {

class TextLineReader {
 public:
  // Opens `path`; gives nothing when it cannot be opened (a folder included).
  static std::optional<TextLineReader> Open(const std::string& path, std::size_t capacity);

  // The next line with its line feed, if it has one; nothing at the end of the file.
  // The text may hold NUL bytes. Raises FileError when the system reports a read error.
  std::optional<std::string> ReadLine();

  // Bytes of the file consumed so far, and its length when it was opened.
  std::int64_t bytesRead() const { return bytes_read_; }
  std::int64_t length() const { return length_; }

  void Close() { handle_.reset(); }

 private:
  TextLineReader(std::string path, FileHandle handle, std::size_t capacity, std::int64_t length);

  std::string path_;
  FileHandle handle_;
  std::size_t capacity_;
  std::int64_t length_;
  std::int64_t bytes_read_ = 0;
};

}  // namespace obscut
