// Files a run creates must never take the place of the files it reads.
#pragma once

#include <string>
#include <vector>

#include "run/file_order.h"

namespace obscut {

// The run's inputs, the recorder files and then the shot table, as absolute, lexically normal
// paths.
std::vector<std::string> NormalInputPaths(const std::vector<RecorderEntry>& recorderFiles,
                                          const std::string& shotTablePath);

// Whether `path` names one of `normalInputs`, compared as absolute, lexically normal paths.
// Links are not followed.
bool NamesAnInput(const std::string& path, const std::vector<std::string>& normalInputs);

}  // namespace obscut
