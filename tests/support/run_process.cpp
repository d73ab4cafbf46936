#include "support/run_process.h"

#ifndef _WIN32

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/scratch_dir.h"

namespace obscut::testing {

ProcessResult RunProcess(const ProcessRequest& request) {
  std::string terminalPath;
  int terminal = -1;
  if (request.errOnTerminal) {
    terminal = posix_openpt(O_RDWR | O_NOCTTY);
    if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0) {
      ADD_FAILURE() << "no pseudo-terminal";
      return {};
    }
    terminalPath = ptsname(terminal);
  }
  ScratchDir capture;
  const std::string outPath = capture.File("stdout");
  const std::string errPath = capture.File("stderr");
  std::vector<std::string> texts{request.program};
  texts.insert(texts.end(), request.arguments.begin(), request.arguments.end());
  std::vector<char*> argv;
  for (std::string& text : texts) {
    argv.push_back(text.data());
  }
  argv.push_back(nullptr);
  const std::string folderText = request.folder.string();
  const bool dropToNobody = request.unprivileged && geteuid() == 0;
  rlimit limit{};
  if (request.fileSizeLimit) {
    limit.rlim_cur = static_cast<rlim_t>(*request.fileSizeLimit);
    limit.rlim_max = static_cast<rlim_t>(*request.fileSizeLimit);
  }

  const pid_t child = fork();
  if (child == 0) {
    // Only async-signal-safe calls between fork and exec. The capture files are opened
    // before privileges are dropped, so that nobody need not reach them.
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = terminalPath.empty() ? open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)
                                         : open(terminalPath.c_str(), O_RDWR | O_NOCTTY);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) {
      _exit(126);
    }
    if (dropToNobody &&
        (setgroups(0, nullptr) != 0 || setgid(kNobodyId) != 0 || setuid(kNobodyId) != 0)) {
      _exit(125);
    }
    if (request.fileSizeLimit &&
        (signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0)) {
      _exit(124);
    }
    if (chdir(folderText.c_str()) != 0) {
      _exit(123);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  ProcessResult result;
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
    ADD_FAILURE() << request.program << " did not run to an exit";
    return result;
  }
  result.exitCode = WEXITSTATUS(status);
  if (result.exitCode >= 123 && result.exitCode <= 127) {
    ADD_FAILURE() << "the child could not be set up to run " << request.program << " (exit "
                  << result.exitCode << ")";
  }
  result.out = ReadText(outPath);
  if (terminal < 0) {
    result.err = ReadText(errPath);
    return result;
  }
  // What the program wrote stays buffered in the terminal until read; then reads fail.
  char buffer[4096];
  for (ssize_t got; (got = read(terminal, buffer, sizeof(buffer))) > 0;) {
    result.err.append(buffer, static_cast<std::size_t>(got));
  }
  close(terminal);
  return result;
}

}  // namespace obscut::testing

#endif  // _WIN32
