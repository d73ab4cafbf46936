// What a run knows of each recorder file once the dump pass has read its header.
//
// The files do not change during a run, so the header, the start time and the length read
// once serve every shot: finding a shot's file needs no file to be opened, and only the
// files that hold a window's samples are read again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "recorder/recorder_file.h"
#include "recorder/recorder_header.h"
#include "recorder/start_time.h"

namespace obscut {

struct CataloguedRecorder {
  std::string path;  // as the selection gave it
  RecorderHeader header;
  RecorderStartTime start;  // parsed from the header
  float sampleRate = 0.0f;  // the header's values, kept at hand for the search
  std::int16_t bytesPerSample = 0;
  std::int64_t length = 0;  // bytes, header included
};

// In processing order.
using RecorderCatalog = std::vector<CataloguedRecorder>;

// The entry of a file whose header has just been read.
CataloguedRecorder CatalogueRecorder(RecorderFile& file);

}  // namespace obscut
