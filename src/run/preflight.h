// A look at a conversion before it is run: what every recorder file holds, what the shot
// table says, what each shot would get and whether the run would finish. It goes through the
// same steps as the run, with the same file order, header reading and shot planning, but
// creates and writes nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "recorder/recorder_catalog.h"
#include "recorder/shot_table.h"
#include "run/run_settings.h"

namespace obscut {

// What one shot line would give.
struct ShotForecast {
  ShotRecord shot;
  bool trace = false;         // a trace would be written
  bool leadingZeros = false;  // the window starts before its file's first sample
  bool continued = false;     // the window runs on into the next file
  bool padded = false;        // the window is padded with zeros after the last file
  std::int64_t gapZeros = 0;  // zeros for a recording gap in a continued window
};

struct PreflightFindings {
  std::vector<std::string> recorderFiles;  // in processing order, as the run would name them
  RecorderCatalog catalog;                 // the files whose headers were read, in order
  std::string shotTablePath;
  std::optional<ShotTableHeader> tableHeader;
  std::vector<ShotForecast> shots;  // in table order, up to the one that stops the run
  float minTime = 0.0f;
  float maxTime = 0.0f;
  // Fixed by the first file that a shot gets as far as; the rate comes from that file.
  std::optional<std::uint16_t> samplesPerTrace;
  float traceSampleRate = 0.0f;
  // Why the run would stop, in the words it would use; nothing when it would finish.
  std::optional<std::string> stopMessage;
  bool stoppedAtShot = false;  // the last of `shots` is the one the run would stop at
};

// `recorderFiles` as the user selected them, `settings` as the run would get them.
PreflightFindings RunPreflight(const std::vector<std::string>& recorderFiles,
                               const RunSettings& settings);

}  // namespace obscut
