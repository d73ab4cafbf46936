#include "run/input_guard.h"

#include <algorithm>

#include "platform/system.h"

namespace obscut {

std::vector<std::string> NormalInputPaths(const std::vector<RecorderEntry>& recorderFiles,
                                          const std::string& shotTablePath) {
  std::vector<std::string> inputs;
  inputs.reserve(recorderFiles.size() + 1);
  for (const RecorderEntry& entry : recorderFiles) {
    inputs.push_back(AbsoluteNormalPath(entry.path));
  }
  inputs.push_back(AbsoluteNormalPath(shotTablePath));
  return inputs;
}

bool NamesAnInput(const std::string& path, const std::vector<std::string>& normalInputs) {
  const std::string normal = AbsoluteNormalPath(path);
  return std::find(normalInputs.begin(), normalInputs.end(), normal) != normalInputs.end();
}

}  // namespace obscut
