// obscut-batch's whole command: reads the arguments, runs the conversion or prints help,
// version or a usage error, and gives the exit status. The program's main is a call of it;
// the fuzz targets reach the same code path through it.
#pragma once

#include <cstdio>
#include <span>
#include <string_view>

namespace obscut {

inline constexpr int kBatchExitFinished = 0;
inline constexpr int kBatchExitStopped = 1;
inline constexpr int kBatchExitUsage = 2;

// `arguments` without the program name. Results go to `out`, messages to `err`;
// `show_progress` keeps a progress line on `err` (for a terminal).
int RunBatchCommand(std::span<const std::string_view> arguments, std::FILE* out, std::FILE* err,
                    bool show_progress);

}  // namespace obscut
