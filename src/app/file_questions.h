// The three file dialogs of a conversion: the recorder files, the shot table, the output file.
#pragma once

#include "app/user_prompts.h"

namespace obscut {

inline FileQuestion RecorderFilesQuestion() {
  return {QStringLiteral("Select all the ORVANE raw files for conversion"),
          QStringLiteral("Input ORVANE Data Files (OBS*.*)"), QString()};
}

inline FileQuestion ShotTableQuestion() {
  return {QStringLiteral("Select a shottable file for input to the conversion routine"),
          QStringLiteral("Input Shottable Files (*.*)"), QString()};
}

inline FileQuestion OutputFileQuestion() {
  return {QStringLiteral("Select the output segy file"),
          QStringLiteral("Output Data Files (*.sgy)"), QStringLiteral("*.sgy")};
}

}  // namespace obscut
