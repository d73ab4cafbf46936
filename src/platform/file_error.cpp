#include "platform/file_error.h"

#include <cerrno>
#include <cstring>

namespace obscut {
namespace {

std::string Describe(const std::string& path, FileError::Cause cause, const std::string& detail) {
  switch (cause) {
    case FileError::Cause::kNotFound:
      return path + " was not found.";
    case FileError::Cause::kAccessDenied:
      return "Access to " + path + " was denied.";
    case FileError::Cause::kIsFolder:
      return path + " is a folder, not a file.";
    case FileError::Cause::kBadPath:
      return path + " is not a valid file name.";
    case FileError::Cause::kDiskFull:
      return "There is not enough space on the disk to write " + path + ".";
    case FileError::Cause::kBadSeek:
      return "A position before the start of " + path + " was requested.";
    case FileError::Cause::kOther:
      break;
  }
  return "An error occurred while accessing " + path + ": " + detail + ".";
}

}  // namespace

FileError::FileError(std::string path, Cause cause, std::string detail)
    : std::runtime_error(Describe(path, cause, detail)), path_(std::move(path)), cause_(cause) {}

FileError FileError::FromErrno(std::string path, int error_number) {
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
      return FileError(std::move(path), Cause::kNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
      return FileError(std::move(path), Cause::kAccessDenied);
    case EISDIR:
      return FileError(std::move(path), Cause::kIsFolder);
    case ENAMETOOLONG:
    case EINVAL:
      return FileError(std::move(path), Cause::kBadPath);
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return FileError(std::move(path), Cause::kDiskFull);
    default:
      return FileError(std::move(path), Cause::kOther, std::strerror(error_number));
  }
}

}  // namespace obscut
