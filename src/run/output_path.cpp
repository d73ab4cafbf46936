#include "run/output_path.h"

#include <algorithm>

namespace obscut {

std::string NormaliseOutputPath(const std::string& outputPath) {
  std::string ending =
      outputPath.size() > 4 ? outputPath.substr(outputPath.size() - 4) : outputPath;
  std::transform(ending.begin(), ending.end(), ending.begin(), [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return ending == ".sgy" ? outputPath : outputPath + ".sgy";
}

}  // namespace obscut
