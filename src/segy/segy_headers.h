// The contents of the SEG-Y binary header and trace header, built in memory.
#pragma once

#include <array>
#include <cstdint>

#include "recorder/shot_table.h"
#include "segy/segy_layout.h"

namespace obscut {

using BinaryHeaderBytes = std::array<std::uint8_t, segy_layout::kBinaryHeaderSize>;
using TraceHeaderBytes = std::array<std::uint8_t, segy_layout::kTraceHeaderSize>;

// The samples of a window from `minTime` to `maxTime` seconds at `sampleRate`:
// (maxTime - minTime) * sampleRate + 0.5 in double precision, truncated toward zero. Not yet
// reduced to 16 bits, so a window that does not fit a trace can be recognised.
std::int64_t WindowSampleCount(float minTime, float maxTime, float sampleRate);

// 1000000 / sampleRate truncated toward zero, low 16 bits: 128 samples per second give 7812,
// 10 give 100000, of which 34464 remain.
std::uint16_t SampleIntervalMicroseconds(float sampleRate);

// The 400-byte binary header, with 1 in the trace count field.
BinaryHeaderBytes MakeBinaryHeader(const ShotTableHeader& table, std::uint16_t samplesPerTrace,
                                   std::uint16_t sampleIntervalUs);

// Zeroes `header` and sets the fields that stay the same for every trace of the run.
void SetTraceHeaderRunFields(TraceHeaderBytes& header, std::uint16_t samplesPerTrace,
                             std::uint16_t sampleIntervalUs, float sampleRate);

// Sets the fields that describe one shot; every other byte keeps its value.
void SetTraceHeaderShotFields(TraceHeaderBytes& header, std::uint16_t traceCount,
                              const ShotRecord& shot, const ShotTableHeader& table);

}  // namespace obscut
