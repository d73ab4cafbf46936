// Where a shot's window lies in a recorder file, and the times used to bridge a gap between
// two files.
//
// Times are put on one scale, absolute seconds ((day * 24 + hour) * 60 + minute) * 60 +
// second with the day of the year, and only their differences are used.
#pragma once

#include <cstdint>
#include <limits>

#include "recorder/shot_table.h"
#include "recorder/start_time.h"

namespace obscut {

// Seconds from the file's start to the shot, formed in double precision and kept in single
// precision. The single-precision store is part of the result: a day into a file its
// resolution is 0.0078125 s, close to a sample period, and it can decide the first sample.
float ShotOffset(const ShotRecord& shot, const RecorderStartTime& fileStart);

// The window's first sample, in frames from the file's first frame; negative when the window
// begins before the recording. A start that is not a finite number of frames (a shot time
// read as "nan" or "inf", or too large for single precision) places the window nowhere:
// the result is kNoSampleIndex, which every file rejects as ending before its data, so such
// a shot gets no trace instead of one cut from a file's first frame.
std::int64_t FirstSampleIndex(float shotOffset, float minTime, float sampleRate);

inline constexpr std::int64_t kNoSampleIndex = std::numeric_limits<std::int64_t>::min();

// The window ends before the recording begins. A window ending on the sample just before the
// file's first one (firstSampleIndex == -samplesPerTrace) still counts as reaching it.
bool WindowEndsBeforeData(std::int64_t firstSampleIndex, std::int64_t samplesPerTrace);

// The window begins at or after the end of the data: its byte position in the data,
// 4 * bytesPerSample * firstSampleIndex, is not below `dataLength`. `bytesPerSample` > 0.
bool WindowBeginsAfterData(std::int64_t firstSampleIndex, std::int32_t bytesPerSample,
                           std::int64_t dataLength);

// A file's start in absolute seconds.
double FileStartSeconds(const RecorderStartTime& fileStart);

// The time in absolute seconds of window sample `sampleIndex`, counted at `sampleRate` from
// `minTime` after the shot.
double WindowSampleTime(const ShotRecord& shot, std::int64_t sampleIndex, float sampleRate,
                        float minTime);

}  // namespace obscut
