#include "segy/window_placement.h"

#include <cmath>

namespace obscut {
namespace {

// Whole seconds of a day, hour and minute; 64 bits, as a day of 32767 overflows 32.
std::int64_t WholeSeconds(std::int64_t day, std::int64_t hour, std::int64_t minute) {
  return ((day * 24 + hour) * 60 + minute) * 60;
}

}  // namespace

float ShotOffset(const ShotRecord& shot, const RecorderStartTime& fileStart) {
  const std::int64_t whole = WholeSeconds(std::int64_t{shot.shotDay} - fileStart.fileDay,
                                          std::int64_t{shot.shotHour} - fileStart.fileHour,
                                          std::int64_t{shot.shotMinute} - fileStart.fileMinute);
  const double offset = static_cast<double>(whole) + static_cast<double>(shot.shotSecond) -
                        static_cast<double>(fileStart.fileSecond);
  return static_cast<float>(offset);
}

std::int64_t FirstSampleIndex(float shotOffset, float minTime, float sampleRate) {
  const double start = static_cast<double>(shotOffset) + static_cast<double>(minTime);
  const double index = start * static_cast<double>(sampleRate);
  if (!std::isfinite(index)) {
    return kNoSampleIndex;
  }
  return RoundHalfAway(index);
}

bool WindowEndsBeforeData(std::int64_t firstSampleIndex, std::int64_t samplesPerTrace) {
  return firstSampleIndex < -samplesPerTrace;  // firstSampleIndex + samplesPerTrace < 0
}

bool WindowBeginsAfterData(std::int64_t firstSampleIndex, std::int32_t bytesPerSample,
                           std::int64_t dataLength) {
  if (firstSampleIndex < 0) {
    return false;
  }
  // index * frameBytes >= dataLength, without forming a product that may overflow.
  const std::int64_t frameBytes = std::int64_t{4} * bytesPerSample;
  const std::int64_t firstIndexPastData = (dataLength + frameBytes - 1) / frameBytes;
  return firstSampleIndex >= firstIndexPastData;
}

double FileStartSeconds(const RecorderStartTime& fileStart) {
  return static_cast<double>(
      WholeSeconds(fileStart.fileDay, fileStart.fileHour, fileStart.fileMinute) +
      fileStart.fileSecond);
}

double WindowSampleTime(const ShotRecord& shot, std::int64_t sampleIndex, float sampleRate,
                        float minTime) {
  const double shotTime =
      static_cast<double>(WholeSeconds(shot.shotDay, shot.shotHour, shot.shotMinute)) +
      static_cast<double>(shot.shotSecond);
  return shotTime + (static_cast<double>(sampleIndex) / static_cast<double>(sampleRate) +
                     static_cast<double>(minTime));
}

}  // namespace obscut
