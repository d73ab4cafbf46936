// The messages with which cutting shot windows and writing traces stop a run.
#pragma once

#include <cstdint>
#include <string>

#include "base/string_printf.h"

namespace obscut::segy_message {

inline constexpr char kNoMemory[] = "Unable to allocate memory";
inline constexpr char kNextFileTooShort[] = "Unhanled points in program!";

inline std::string WindowDoesNotFit(std::int64_t samples) {
  return StringPrintf("Time window of %lld samples does not fit a trace (0 to 60000 samples)",
                      static_cast<long long>(samples));
}

inline std::string UnusableSampleRate(const std::string& path) {
  return "File " + path + " has an unusable sample rate";
}

inline std::string UnusableSampleSize(const std::string& path) {
  return "File " + path + " has an unusable sample size";
}

inline std::string WouldOverwriteInput(const std::string& path) {
  return "Output file " + path + " would overwrite an input file";
}

}  // namespace obscut::segy_message
