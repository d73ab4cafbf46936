// The samples of the recorder files: noise about mid-scale with the arrivals of every shot,
// written frame block by frame block so that memory stays small whatever the file's length.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/binary_file.h"
#include "synth/seeded_random.h"
#include "synth/survey_plan.h"
#include "synth/wavelet_table.h"

namespace obscut {

class RecorderSignal {
 public:
  // Frames computed and written at a time.
  static constexpr std::size_t kBlockFrames = 8192;
  // Noise stays within this many counts of a channel's resting level.
  static constexpr int kNoiseAmplitude = 31;

  RecorderSignal(const SurveyPlan& plan, std::uint64_t seed);

  // Writes the frames of `file` behind its header. The noise continues from file to file, so
  // the files must be written in order for a seed to give the same bytes.
  void WriteFrames(const PlannedFile& file, BinaryFile& out);

  // Each channel's resting level: mid-scale 32768 and a small offset, as real recorders have.
  const std::array<int, 4>& restingLevels() const { return resting_levels_; }

 private:
  void AddArrivals(const PlannedFile& file, std::int64_t firstFrame, std::size_t frames);
  void EncodeFrames(std::size_t frames);

  const SurveyPlan& plan_;
  double sample_rate_;
  WaveletTable wavelet_;
  SeededRandom noise_;
  std::array<int, 4> resting_levels_{};
  std::array<std::vector<float>, 4> arrivals_;  // per channel, one block
  std::vector<std::uint8_t> bytes_;             // one block of encoded frames
};

}  // namespace obscut
