// A fingerprint of a run's input files taken before the run, to check afterwards that the run
// left every one of them as it was: a converter must never write into what it reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace obscut::testing {

// A file's length and a 64-bit hash of its bytes with their positions. Only the stretches
// that hold data are read, so a sparse test file of gigabytes costs no more than its data.
struct FileFingerprint {
  std::uint64_t length = 0;
  std::uint64_t hash = 0;
  bool operator==(const FileFingerprint&) const = default;
};

// Nothing when `path` is not a regular file (missing, a folder) or cannot be read.
std::optional<FileFingerprint> FingerprintOf(const std::string& path);

class InputSnapshot {
 public:
  // Fingerprints every path now. A path that is not a regular file (missing, a folder) is
  // noted as such, and must still not be one afterwards.
  explicit InputSnapshot(const std::vector<std::string>& paths);

  // Adds a test failure naming each input whose bytes differ from the snapshot.
  void ExpectUnchanged() const;

 private:
  std::vector<std::pair<std::string, std::optional<FileFingerprint>>> files_;
};

}  // namespace obscut::testing
