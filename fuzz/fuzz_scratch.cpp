#include "fuzz_scratch.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <system_error>

#include <unistd.h>

namespace obscut::fuzz {

FuzzScratch& FuzzScratch::Get() {
  static FuzzScratch scratch;
  return scratch;
}

FuzzScratch::FuzzScratch() {
  std::string pattern = (std::filesystem::temp_directory_path() / "obscut-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror("obscut fuzz: cannot create a scratch folder");
    std::abort();
  }
  path_ = pattern;
}

FuzzScratch::~FuzzScratch() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string FuzzScratch::File(const std::string& name) const {
  return (path_ / name).string();
}

void FuzzScratch::Write(const std::string& name, std::span<const std::uint8_t> bytes) const {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(File(name).c_str(), "wb"),
                                                             &std::fclose);
  if (!file ||
      (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())) {
    std::perror("obscut fuzz: cannot write a scratch file");
    std::abort();
  }
}

void FuzzScratch::Clear() const {
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    std::filesystem::remove_all(entry.path());
  }
}

int OpenFileDescriptorCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

}  // namespace obscut::fuzz
