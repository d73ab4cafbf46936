// The messages with which a run stops or finishes.
#pragma once

#include <string>

namespace obscut::run_message {

inline constexpr char kTooManyFiles[] = "Maximum number of files selected is exceeded.";
inline constexpr char kLogNotCreated[] = "Can not open a temporaty file to hold the ascii header";
inline constexpr char kShotTableNotOpened[] = "Error opening shot table";
inline constexpr char kShotTableHeaderShort[] = "Error reading header lines of shot table";
inline constexpr char kShotLineBad[] = "Error in shot table";
inline constexpr char kViewerNotStarted[] = "Not able to load with NotePad.exe";

inline std::string HeaderReadWrong(const std::string& path) {
  return "File " + path + " header read wrong";
}

// The summary of a finished run; the line feed is a line break in the message.
std::string Summary(unsigned traceCount);

}  // namespace obscut::run_message
