// A folder of the fuzzing process's own under the system's temporary folder, for inputs that
// the code under test reads from files. Each process has its own, so several fuzzers can run
// at once; it is removed with its contents when the process ends normally.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace obscut::fuzz {

class FuzzScratch {
 public:
  // The process's folder, created on first use.
  static FuzzScratch& Get();

  // The full path of `name` inside the folder.
  std::string File(const std::string& name) const;

  // Creates or replaces the file `name` with `bytes`.
  void Write(const std::string& name, std::span<const std::uint8_t> bytes) const;

  // Removes everything inside the folder.
  void Clear() const;

  ~FuzzScratch();
  FuzzScratch(const FuzzScratch&) = delete;
  FuzzScratch& operator=(const FuzzScratch&) = delete;

 private:
  FuzzScratch();

  std::filesystem::path path_;
};

// The number of file descriptors the process has open (POSIX); a target compares it before
// and after a run to find files the code under test leaves open.
int OpenFileDescriptorCount();

}  // namespace obscut::fuzz
