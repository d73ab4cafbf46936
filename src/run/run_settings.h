// What the user chooses for one conversion run.
#pragma once

#include <cstdint>
#include <string>

namespace obscut {

struct RunSettings {
  std::string shotTablePath;
  std::string outputPath;
  float minTime = 0.0f;            // seconds after the shot time where the window begins
  float maxTime = 0.0f;            // seconds after the shot time where the window ends
  std::int32_t outputChannel = 0;  // 1 to 4 for one channel, 0 for all four
};

// The values every run starts from: empty paths, a window of 0 to 60 s, all channels.
inline RunSettings RunPresets() {
  RunSettings presets;
  presets.maxTime = 60.0f;
  presets.minTime = 0.0f;
  return presets;
}

}  // namespace obscut
