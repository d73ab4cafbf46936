// Small services of the operating system that differ between POSIX and Windows.
#pragma once

#include <cstdio>
#include <string>

namespace obscut {

// The character that separates folders in the paths this program forms and reads.
#ifdef _WIN32
inline constexpr char kFolderSeparator = '\\';
#else
inline constexpr char kFolderSeparator = '/';
#endif

// Starts the text viewer on `path` without waiting for it: "NotePad.exe " + path on Windows,
// the desktop's default opener elsewhere. False when the viewer cannot be started.
bool StartTextViewer(const std::string& path);

// True when `stream` is an interactive terminal.
bool IsTerminal(std::FILE* stream);

// `path` made absolute against the current folder and lexically normal ("a/./b/../c" -> "a/c"),
// as a file dialog returns the names it offers. An empty path stays empty.
std::string AbsoluteNormalPath(const std::string& path);

// Whether a file could be created at `path`, or replaced if it exists, for writing, without
// creating or touching anything: 0 when it looks possible, else the errno value the attempt
// would most likely meet (ENOENT for a missing folder, EACCES, EISDIR, ...).
int FileCreationProblem(const std::string& path);

}  // namespace obscut
