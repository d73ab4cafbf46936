// The traces of one SEG-Y file written by obscut, as a record section needs them: where each
// trace was shot, and its samples as the recorder's counts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace obscut {

struct SectionTrace {
  std::int32_t shotNumber = 0;
  double rangeKm = 0.0;  // signed, as the shot table gives it
  // The recorder's unsigned 16-bit counts (0 to 65535). Exactly 0 is where obscut wrote no
  // data: before the first recording, in a gap between files, after the last recording.
  std::vector<float> counts;
};

struct SegySection {
  std::string path;
  double sampleIntervalSeconds = 0.0;
  std::size_t samplesPerTrace = 0;
  std::vector<SectionTrace> traces;  // in file order, never empty
};

}  // namespace obscut
