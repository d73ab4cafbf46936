// The error raised when a file cannot be opened, read, positioned or written.
//
// It names the file and the cause. The conversion core lets it travel up unhandled; only a
// front end catches it and reports it, after every file of the run has been closed.
#pragma once

#include <stdexcept>
#include <string>

namespace obscut {

class FileError : public std::runtime_error {
 public:
  enum class Cause {
    kNotFound,      // the file or a folder on its path does not exist
    kAccessDenied,  // permissions, a read-only file system
    kIsFolder,      // a folder where a file was expected
    kBadPath,       // a name the system cannot use
    kDiskFull,      // no space left, or a file-size limit reached
    kBadSeek,       // a position the file cannot take (before its start)
    kOther,         // any other refusal of the operating system
  };

  // `detail` is the system's own description, used for kOther.
  FileError(std::string path, Cause cause, std::string detail = {});

  // Classifies an errno value from a failed open, read, seek or write.
  static FileError FromErrno(std::string path, int error_number);

  const std::string& path() const { return path_; }
  Cause cause() const { return cause_; }

 private:
  std::string path_;
  Cause cause_;
};

}  // namespace obscut
