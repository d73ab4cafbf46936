// The working state of one conversion run: created when the run starts, gone when it ends.
// Every file it holds is closed when it goes out of scope, however the run ends.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "recorder/recorder_catalog.h"
#include "recorder/shot_table.h"
#include "run/file_order.h"
#include "run/processing_log.h"
#include "run/run_settings.h"
#include "segy/channel_buffers.h"
#include "segy/segy_output_set.h"

namespace obscut {

// Most recorder files one run accepts.
inline constexpr std::size_t kMaxRecorderFiles = 999;

struct RunState {
  std::vector<RecorderEntry> recorderFiles;  // in processing order once ordered
  RecorderCatalog recorderCatalog;           // the same files, as the dump pass read them
  RunSettings settings;
  std::string logPath;
  ProcessingLog log;
  std::optional<ShotTable> shotTable;
  std::optional<SegyOutputSet> outputs;
  ChannelBuffers buffers;
};

}  // namespace obscut
