// Runs a program in a child process and captures what it prints, for tests that run the real
// command-line programs. POSIX only.
#pragma once

#ifndef _WIN32

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace obscut::testing {

struct ProcessRequest {
  std::string program;
  std::vector<std::string> arguments;
  std::filesystem::path folder;  // the child's current folder
  // The largest file the child may write (RLIMIT_FSIZE), as a full disk would stop it. The
  // child ignores SIGXFSZ, so a write past the limit fails with EFBIG instead of killing it.
  std::optional<long long> fileSizeLimit;
  // Run the child as the unprivileged user nobody when the test runs as root, so that file
  // permissions apply to it as they do to a user.
  bool unprivileged = false;
  // Standard error on a pseudo-terminal instead of a file.
  bool errOnTerminal = false;
};

struct ProcessResult {
  int exitCode = -1;  // -1 when the child did not exit normally
  std::string out;
  std::string err;
};

// Starts the program with standard input empty and both output streams captured. Adds a test
// failure, and gives exitCode -1, when the child does not run to an exit.
ProcessResult RunProcess(const ProcessRequest& request);

// The user id of nobody, whom `unprivileged` children run as.
inline constexpr unsigned kNobodyId = 65534;

}  // namespace obscut::testing

#endif  // _WIN32
