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

}  // namespace obscut
