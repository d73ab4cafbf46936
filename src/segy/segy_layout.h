// The layout of the SEG-Y files we write: the field positions of revision 0 of the standard,
// but every number least significant byte first, and the recorder's own header text in place
// of the EBCDIC card images.
//
//   FILE OFFSET   LENGTH                     CONTENT
//   0             320                        the recorder's ASCII header, byte for byte
//   320           2880                       zero bytes
//   3200          400                        binary header
//   3600          240 + 2 * samplesPerTrace  one trace: header, then 16-bit samples
//                                            (repeated for every trace)
//
// Fields are named below by their position in the standard (SEG-Y bytes count from 1); the
// FieldSpec offsets count from 0 within their own header. Every byte not listed is 0.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/field_layout.h"

namespace obscut::segy_layout {

inline constexpr std::size_t kTextHeaderSize = 3200;
inline constexpr std::size_t kCopiedTextSize = 320;  // the recorder header's ASCII part
inline constexpr std::size_t kBinaryHeaderOffset = kTextHeaderSize;
inline constexpr std::size_t kBinaryHeaderSize = 400;
inline constexpr std::size_t kFirstTraceOffset = kBinaryHeaderOffset + kBinaryHeaderSize;
inline constexpr std::size_t kTraceHeaderSize = 240;
inline constexpr std::size_t kBytesPerSample = 2;

// Binary header (file offset 3200).
//                                                      SEG-Y BYTES TYPE   VALUE
// clang-format off
namespace binary {
inline constexpr FieldSpec kTracesPerRecord{12, 2};     // 3213-3214  int16  1, then the trace count
inline constexpr FieldSpec kSampleInterval{16, 2};      // 3217-3218  int16  microseconds
inline constexpr FieldSpec kFieldSampleInterval{18, 2}; // 3219-3220  int16  microseconds
inline constexpr FieldSpec kSamplesPerTrace{20, 2};     // 3221-3222  uint16
inline constexpr FieldSpec kFieldSamplesPerTrace{22, 2}; // 3223-3224  uint16
inline constexpr FieldSpec kSampleFormat{24, 2};        // 3225-3226  int16  3: 2-byte integer
// Bytes the standard leaves unassigned, carrying values of the shot table's header.
inline constexpr FieldSpec kShotTableLine5{62, 2};      // 3263-3264  int16  low 16 bits
inline constexpr FieldSpec kShotTableLine6{64, 2};      // 3265-3266  int16  low 16 bits
inline constexpr FieldSpec kShotTableLine3[] = {{76, 2}, {78, 2}, {80, 2}, {82, 2}};
                                                        // 3277-3284  int16  low 16 bits each
inline constexpr FieldSpec kStationY{84, 4};            // 3285-3288  int32  stationY * 10000
inline constexpr FieldSpec kStationX{88, 4};            // 3289-3292  int32  stationX * 10000
inline constexpr FieldSpec kShotTableLine4{96, 4};      // 3297-3300  int32  line 4 * 1000

inline constexpr std::uint16_t kFormatTwoByteInteger = 3;
}  // namespace binary
// clang-format on

// Trace header (240 bytes in front of every trace).
//                                                      SEG-Y BYTES TYPE   VALUE
// clang-format off
namespace trace {
// Set for every trace.
inline constexpr FieldSpec kSequenceInLine{0, 4};       // 1-4      int32  traces before this one
inline constexpr FieldSpec kSequenceInReel{4, 4};       // 5-8      int32  the same
inline constexpr FieldSpec kFieldRecord{8, 4};          // 9-12     int32  shot number
inline constexpr FieldSpec kRange{36, 4};               // 37-40    int32  range * 1000
inline constexpr FieldSpec kWaterDepth{60, 4};          // 61-64    int32  rounded water depth
inline constexpr FieldSpec kSourceX{72, 4};             // 73-76    int32  stationX * 1000
inline constexpr FieldSpec kSourceY{76, 4};             // 77-80    int32  stationY * 1000
inline constexpr FieldSpec kGroupX{80, 4};              // 81-84    int32  shotX * 1000
inline constexpr FieldSpec kGroupY{84, 4};              // 85-88    int32  shotY * 1000
inline constexpr FieldSpec kDayOfYear{158, 2};          // 159-160  int16  shot day
inline constexpr FieldSpec kHour{160, 2};               // 161-162  int16
inline constexpr FieldSpec kMinute{162, 2};             // 163-164  int16
inline constexpr FieldSpec kSecond{164, 2};             // 165-166  int16  whole seconds
inline constexpr FieldSpec kTimeBasis{166, 2};          // 167-168  int16  2: GMT
// Set once, when the file headers are written, and kept for every trace.
inline constexpr FieldSpec kTraceId{28, 2};             // 29-30    int16  1: seismic data
inline constexpr FieldSpec kDelay{108, 2};              // 109-110  int16  0, whatever the window
inline constexpr FieldSpec kSampleCount{114, 2};        // 115-116  uint16 samples per trace
inline constexpr FieldSpec kSampleInterval{116, 2};     // 117-118  int16  microseconds
inline constexpr FieldSpec kSampleIntervalFloat{180, 4};// 181-184  float  unrounded

inline constexpr std::uint16_t kTraceIdSeismic = 1;
inline constexpr std::uint16_t kTimeBasisGmt = 2;
}  // namespace trace
// clang-format on

}  // namespace obscut::segy_layout
