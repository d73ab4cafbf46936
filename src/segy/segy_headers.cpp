#include "segy/segy_headers.h"

#include "base/field_layout.h"
#include "base/float_conversion.h"
#include "recorder/start_time.h"

namespace obscut {
namespace {

// A single-precision value scaled in double precision, truncated, low 32 bits: a range read
// as 4.35 is 4.3499999 in single precision and stores 4349.
std::uint32_t Scaled(float value, double scale) {
  return TruncatedLow32(static_cast<double>(value) * scale);
}

std::uint16_t Low16(std::int32_t value) {
  return static_cast<std::uint16_t>(value);
}

}  // namespace

std::int64_t WindowSampleCount(float minTime, float maxTime, float sampleRate) {
  const double span = static_cast<double>(maxTime) - static_cast<double>(minTime);
  return TruncateToInt64(span * static_cast<double>(sampleRate) + 0.5);
}

std::uint16_t SampleIntervalMicroseconds(float sampleRate) {
  return TruncatedLow16(1000000.0 / static_cast<double>(sampleRate));
}

BinaryHeaderBytes MakeBinaryHeader(const ShotTableHeader& table, std::uint16_t samplesPerTrace,
                                   std::uint16_t sampleIntervalUs) {
  namespace field = segy_layout::binary;
  BinaryHeaderBytes header{};
  StoreLEField(header, field::kTracesPerRecord, 1);
  StoreLEField(header, field::kSampleInterval, sampleIntervalUs);
  StoreLEField(header, field::kFieldSampleInterval, sampleIntervalUs);
  StoreLEField(header, field::kSamplesPerTrace, samplesPerTrace);
  StoreLEField(header, field::kFieldSamplesPerTrace, samplesPerTrace);
  StoreLEField(header, field::kSampleFormat, field::kFormatTwoByteInteger);
  StoreLEField(header, field::kShotTableLine5, Low16(table.line5Value));
  StoreLEField(header, field::kShotTableLine6, Low16(table.line6Value));
  for (std::size_t i = 0; i < table.line3Values.size(); ++i) {
    StoreLEField(header, field::kShotTableLine3[i], Low16(table.line3Values[i]));
  }
  StoreLEField(header, field::kStationY, Scaled(table.stationY, 10000.0));
  StoreLEField(header, field::kStationX, Scaled(table.stationX, 10000.0));
  StoreLEField(header, field::kShotTableLine4, Scaled(table.line4Value, 1000.0));
  return header;
}

void SetTraceHeaderRunFields(TraceHeaderBytes& header, std::uint16_t samplesPerTrace,
                             std::uint16_t sampleIntervalUs, float sampleRate) {
  namespace field = segy_layout::trace;
  header.fill(0);
  StoreLEField(header, field::kTraceId, field::kTraceIdSeismic);
  StoreLEField(header, field::kDelay, 0);
  StoreLEField(header, field::kSampleCount, samplesPerTrace);
  StoreLEField(header, field::kSampleInterval, sampleIntervalUs);
  StoreLEFloat32(header, field::kSampleIntervalFloat.offset,
                 static_cast<float>(1000000.0 / static_cast<double>(sampleRate)));
}

void SetTraceHeaderShotFields(TraceHeaderBytes& header, std::uint16_t traceCount,
                              const ShotRecord& shot, const ShotTableHeader& table) {
  namespace field = segy_layout::trace;
  StoreLEField(header, field::kSequenceInLine, traceCount);
  StoreLEField(header, field::kSequenceInReel, traceCount);
  StoreLEField(header, field::kFieldRecord, static_cast<std::uint32_t>(shot.shotNumber));
  StoreLEField(header, field::kRange, Scaled(shot.range, 1000.0));
  StoreLEField(header, field::kWaterDepth,
               static_cast<std::uint32_t>(RoundHalfAway(static_cast<double>(shot.waterDepth))));
  StoreLEField(header, field::kSourceX, Scaled(table.stationX, 1000.0));
  StoreLEField(header, field::kSourceY, Scaled(table.stationY, 1000.0));
  StoreLEField(header, field::kGroupX, Scaled(shot.shotX, 1000.0));
  StoreLEField(header, field::kGroupY, Scaled(shot.shotY, 1000.0));
  StoreLEField(header, field::kDayOfYear, static_cast<std::uint16_t>(shot.shotDay));
  StoreLEField(header, field::kHour, static_cast<std::uint16_t>(shot.shotHour));
  StoreLEField(header, field::kMinute, static_cast<std::uint16_t>(shot.shotMinute));
  StoreLEField(header, field::kSecond, TruncatedLow16(static_cast<double>(shot.shotSecond)));
  StoreLEField(header, field::kTimeBasis, field::kTimeBasisGmt);
}

}  // namespace obscut
