#include "platform/file_handle.h"

#include <sys/stat.h>
#include <cerrno>

#ifdef _WIN32
#include <io.h>
#endif

namespace obscut {
namespace {

bool IsFolder(std::FILE* file) {
#ifdef _WIN32
  struct _stat64 info;
  return _fstat64(_fileno(file), &info) == 0 && (info.st_mode & _S_IFDIR) != 0;
#else
  struct stat info;
  return fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode);
#endif
}

}  // namespace

FileHandle OpenFileHandle(const std::string& path, FileMode mode, int& error_number) {
  const char* mode_text = mode == FileMode::kReadBinary ? "rb" : "wb";
  errno = 0;
  FileHandle file(std::fopen(path.c_str(), mode_text));
  if (!file) {
    error_number = errno != 0 ? errno : ENOENT;
    return file;
  }
  if (IsFolder(file.get())) {
    error_number = EISDIR;
    file.reset();
  }
  return file;
}

bool SeekTo(std::FILE* file, std::int64_t offset) {
#ifdef _WIN32
  return _fseeki64(file, offset, SEEK_SET) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

std::int64_t TellPosition(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return static_cast<std::int64_t>(ftello(file));
#endif
}

std::int64_t FileLength(std::FILE* file) {
#ifdef _WIN32
  struct _stat64 info;
  if (_fstat64(_fileno(file), &info) != 0) {
    return -1;
  }
#else
  struct stat info;
  if (fstat(fileno(file), &info) != 0) {
    return -1;
  }
#endif
  return static_cast<std::int64_t>(info.st_size);
}

}  // namespace obscut
