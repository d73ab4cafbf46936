// Writes a whole synthetic survey into a folder: the recorder files in order, then the shot
// table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "synth/survey_plan.h"
#include "synth/synth_options.h"

namespace obscut {

inline constexpr char kShotTableName[] = "shots.txt";

struct WrittenFile {
  std::string path;
  std::int64_t bytes = 0;
  std::string description;
};

// The text header of recorder file `index` of the plan: its start time text, then what the
// recording is.
std::string RecorderTextHeader(const SurveyPlan& plan, std::size_t index,
                               const SynthOptions& options);

// Creates `options.outDir` when missing and writes every file into it. Raises FileError when
// a file or the folder cannot be written.
std::vector<WrittenFile> WriteSyntheticSurvey(const SurveyPlan& plan, const SynthOptions& options);

}  // namespace obscut
