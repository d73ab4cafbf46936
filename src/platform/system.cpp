#include "platform/system.h"

#include <cerrno>
#include <filesystem>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <spawn.h>
#include <unistd.h>

extern char** environ;
#endif

namespace obscut {

bool StartTextViewer(const std::string& path) {
#ifdef _WIN32
  std::string command_line = "NotePad.exe " + path;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE,
                      CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
#else
  std::string program = "xdg-open";
  std::string argument = path;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  return posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv, environ) == 0;
#endif
}

bool IsTerminal(std::FILE* stream) {
#ifdef _WIN32
  return _isatty(_fileno(stream)) != 0;
#else
  return isatty(fileno(stream)) != 0;
#endif
}

std::string AbsoluteNormalPath(const std::string& path) {
  if (path.empty()) {
    return path;  // names no file; std::filesystem::absolute would throw on it
  }
  return std::filesystem::absolute(std::filesystem::path(path)).lexically_normal().string();
}

int FileCreationProblem(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path file(path);
  const fs::file_status status = fs::status(file, error);
  if (fs::is_directory(status)) {
    return EISDIR;
  }
#ifdef _WIN32
  if (fs::exists(status)) {
    return 0;
  }
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  return fs::is_directory(folder, error) ? 0 : ENOENT;
#else
  if (fs::exists(status)) {
    return access(path.c_str(), W_OK) == 0 ? 0 : errno;
  }
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  if (!fs::is_directory(folder, error)) {
    return fs::exists(folder, error) ? ENOTDIR : ENOENT;
  }
  return access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
#endif
}

}  // namespace obscut
