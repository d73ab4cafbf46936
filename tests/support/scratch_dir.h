// Files for a test: a fresh folder of its own, removed with everything in it afterwards, so
// tests never share scratch files and can run in parallel.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace obscut::testing {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The full path of `name` inside the folder, as text.
  std::string File(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

void WriteBytes(const std::string& path, std::span<const std::uint8_t> bytes);
void WriteText(const std::string& path, const std::string& text);
std::vector<std::uint8_t> ReadBytes(const std::string& path);
std::string ReadText(const std::string& path);

}  // namespace obscut::testing
