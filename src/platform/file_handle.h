// The one place where files meet the operating system: an owned C stream with 64-bit
// positions, and the few calls whose spelling differs between POSIX and Windows.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace obscut {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

enum class FileMode {
  kReadBinary,    // an existing file, read only, bytes untranslated
  kCreateBinary,  // created empty (or emptied) for writing, bytes untranslated
};

// Opens `path`. On failure returns an empty handle and sets `error_number` to the errno
// value. A folder is refused with EISDIR in every mode, as the system refuses it on Windows.
FileHandle OpenFileHandle(const std::string& path, FileMode mode, int& error_number);

// Positions `file` at `offset` bytes from its start; false on failure (errno set).
bool SeekTo(std::FILE* file, std::int64_t offset);

// Current position in bytes from the start, or -1 on failure.
std::int64_t TellPosition(std::FILE* file);

// Length in bytes of a file open for reading, or -1 on failure. Leaves the position unchanged.
std::int64_t FileLength(std::FILE* file);

}  // namespace obscut
