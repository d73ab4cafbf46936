#include "support/input_snapshot.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace obscut::testing {
namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

void Mix(std::uint64_t& hash, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) {
    hash = (hash ^ ((value >> (8 * i)) & 0xFF)) * kFnvPrime;
  }
}

// Hashes the bytes from `begin` to `end`, and where they lie.
bool HashStretch(int fd, off_t begin, off_t end, std::uint64_t& hash) {
  Mix(hash, static_cast<std::uint64_t>(begin));
  std::array<unsigned char, 1 << 16> buffer;
  for (off_t at = begin; at < end;) {
    const auto want =
        static_cast<std::size_t>(std::min<off_t>(end - at, static_cast<off_t>(buffer.size())));
    const ssize_t got = pread(fd, buffer.data(), want, at);
    if (got <= 0) {
      return false;
    }
    for (ssize_t i = 0; i < got; ++i) {
      hash = (hash ^ buffer[static_cast<std::size_t>(i)]) * kFnvPrime;
    }
    at += got;
  }
  return true;
}

}  // namespace

std::optional<FileFingerprint> FingerprintOf(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) {
    return std::nullopt;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  FileFingerprint print;
  print.length = static_cast<std::uint64_t>(info.st_size);
  print.hash = kFnvOffset;
  bool ok = true;
  // The data stretches between the holes; a file system without hole reporting gives one
  // stretch, the whole file.
  off_t at = 0;
  while (ok && at < info.st_size) {
    off_t data = lseek(fd, at, SEEK_DATA);
    off_t hole = info.st_size;
    if (data < 0) {
      if (errno == ENXIO) {
        break;  // only a hole is left
      }
      data = at;  // no hole reporting: read on to the end
    } else {
      hole = lseek(fd, data, SEEK_HOLE);
      if (hole < 0 || hole > info.st_size) {
        hole = info.st_size;
      }
    }
    ok = HashStretch(fd, data, hole, print.hash);
    at = hole;
  }
  close(fd);
  if (!ok) {
    return std::nullopt;
  }
  return print;
}

InputSnapshot::InputSnapshot(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    files_.emplace_back(path, FingerprintOf(path));
  }
}

void InputSnapshot::ExpectUnchanged() const {
  for (const auto& [path, before] : files_) {
    const auto after = FingerprintOf(path);
    if (!before) {
      EXPECT_FALSE(after.has_value()) << "the run created the input " << path;
    } else if (!after) {
      ADD_FAILURE() << "the run removed the input " << path;
    } else if (*after != *before) {
      ADD_FAILURE() << "the run changed the input " << path << " (" << before->length
                    << " bytes before, " << after->length << " after)";
    }
  }
}

}  // namespace obscut::testing
