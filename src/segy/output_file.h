// One SEG-Y output file whose creation may have failed.
//
// A run creates all of its output files up front and goes on even when one of them could not
// be created; the failure surfaces as a FileError, naming the file and the cause, at the
// first write or positioning on that file.
//
// Writes are gathered into blocks of about a megabyte, which reach the system in one request
// each: a trace is some ten kilobytes, and the system handles a few large requests much
// faster than many small ones. A block goes out when the next record would overflow it, and
// before every positioning and at closing, also when the file is given up (destroyed) early.
//
// Nothing is lost half-way: every Write is one complete record (a header, or a whole trace),
// and when the system refuses a block part-way (a full disk, a file-size limit) the file is
// cut back to the end of the last record that reached it completely. So after any early end
// the file holds exactly the complete records that reached the disk, never part of one.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/file_error.h"
#include "platform/file_handle.h"

namespace obscut {

class OutputFile {
 public:
  // Creates `path` empty, replacing any file of that name. Never raises.
  static OutputFile Create(std::string path);

  const std::string& path() const { return path_; }

  OutputFile(OutputFile&&) noexcept = default;
  OutputFile& operator=(OutputFile&&) = delete;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // Sends what is gathered; a failure then leaves the complete records that reached the file.
  ~OutputFile();

  // Appends the record `bytes` at the current position, or raises FileError naming the file
  // when the file cannot be used or a gathered block cannot be written; on such a failure the
  // file is cut back to its last complete record and closed. Each raises the creation's or
  // the failed write's FileError once the file is no longer usable.
  void Write(std::span<const std::uint8_t> bytes);
  void Seek(std::int64_t offset);
  // Sends what is gathered and closes the file, raising FileError when the system reports a
  // failure.
  void Close();
  // Closes the file after an early end: sends what is gathered and raises FileError only when
  // that fails, not for a file that could not be created or has failed before.
  void CloseAsItStands();

 private:
  OutputFile(std::string path, FileHandle file, std::optional<FileError> error);
  std::FILE* file();
  void Flush();
  [[noreturn]] void Fail(int error_number);

  std::string path_;
  FileHandle file_;
  std::optional<FileError> error_;       // why the file cannot be used (any more)
  std::vector<std::uint8_t> gathered_;   // records not yet sent
  std::vector<std::size_t> recordEnds_;  // where each of them ends in `gathered_`
};

}  // namespace obscut
