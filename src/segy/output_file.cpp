#include "segy/output_file.h"

#include <utility>

namespace obscut {

OutputFile::OutputFile(std::string path, std::optional<BinaryFile> file,
                       std::optional<FileError> error)
    : path_(std::move(path)), file_(std::move(file)), creation_error_(std::move(error)) {}

OutputFile OutputFile::Create(std::string path) {
  try {
    BinaryFile file = BinaryFile::Create(path);
    return OutputFile(std::move(path), std::move(file), std::nullopt);
  } catch (const FileError& error) {
    return OutputFile(std::move(path), std::nullopt, error);
  }
}

BinaryFile& OutputFile::file() {
  if (!file_) {
    throw *creation_error_;
  }
  return *file_;
}

void OutputFile::Write(std::span<const std::uint8_t> bytes) {
  file().Write(bytes);
}

void OutputFile::Seek(std::int64_t offset) {
  file().Seek(offset);
}

void OutputFile::Close() {
  file().Close();
}

}  // namespace obscut
