// One SEG-Y output file whose creation may have failed.
//
// A run creates all of its output files up front and goes on even when one of them could not
// be created; the failure surfaces as a FileError, naming the file and the cause, at the
// first write or positioning on that file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/binary_file.h"
#include "platform/file_error.h"

namespace obscut {

class OutputFile {
 public:
  // Creates `path` empty, replacing any file of that name. Never raises.
  static OutputFile Create(std::string path);

  const std::string& path() const { return path_; }

  // As BinaryFile's; each raises the creation's FileError when the file was not created.
  void Write(std::span<const std::uint8_t> bytes);
  void Seek(std::int64_t offset);
  void Close();

 private:
  OutputFile(std::string path, std::optional<BinaryFile> file, std::optional<FileError> error);
  BinaryFile& file();

  std::string path_;
  std::optional<BinaryFile> file_;
  std::optional<FileError> creation_error_;
};

}  // namespace obscut
