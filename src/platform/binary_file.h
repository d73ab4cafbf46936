// A binary file that raises FileError, naming the file, whenever the system refuses to open,
// read, position or write it. Closed when it goes out of scope.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/file_handle.h"

namespace obscut {

class BinaryFile {
 public:
  // Opens an existing file read-only.
  static BinaryFile OpenForReading(std::string path);
  // Creates the file empty for writing, replacing any file of that name.
  static BinaryFile Create(std::string path);

  BinaryFile(BinaryFile&&) noexcept = default;
  BinaryFile& operator=(BinaryFile&&) noexcept = default;

  const std::string& path() const { return path_; }

  // Reads up to `buffer.size()` bytes and returns how many arrived; fewer than asked means the
  // end of the file. Raises FileError when the system reports a read error.
  std::size_t Read(std::span<std::uint8_t> buffer);

  // Writes all of `bytes` or raises FileError.
  void Write(std::span<const std::uint8_t> bytes);

  // Positions at `offset` bytes from the start; a position past the end is allowed.
  void Seek(std::int64_t offset);

  // Length in bytes; the position is unchanged.
  std::int64_t Length();

  // Flushes and closes, raising FileError if buffered data cannot be written. Without this
  // call the destructor closes the file quietly.
  void Close();

 private:
  BinaryFile(std::string path, FileHandle handle);
  [[noreturn]] void Fail(int error_number) const;

  std::string path_;
  FileHandle handle_;
};

}  // namespace obscut
