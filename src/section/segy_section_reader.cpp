#include "section/segy_section_reader.h"

#include <array>
#include <cmath>
#include <vector>

#include "base/byte_order.h"
#include "platform/binary_file.h"
#include "platform/file_error.h"
#include "segy/segy_layout.h"

namespace obscut {
namespace {

namespace layout = segy_layout;

std::uint16_t Field16(ByteSpan record, FieldSpec field) {
  return LoadLE16(record, field.offset);
}

std::int32_t FieldSigned32(ByteSpan record, FieldSpec field) {
  return static_cast<std::int32_t>(LoadLE32(record, field.offset));
}

std::string NotOurs(const std::string& path, const std::string& why) {
  return path + " is not a SEG-Y file written by obscut: " + why + ".";
}

// The float of trace header bytes 181-184 keeps the exact interval (7812.5 us at 128 samples
// per second, where the 16-bit field says 7812); the binary header's field is the fallback.
double SampleIntervalSeconds(ByteSpan firstTraceHeader, ByteSpan binaryHeader) {
  const float exact = LoadLEFloat32(firstTraceHeader, layout::trace::kSampleIntervalFloat.offset);
  if (std::isfinite(exact) && exact > 0.0f) {
    return static_cast<double>(exact) * 1e-6;
  }
  return static_cast<double>(Field16(binaryHeader, layout::binary::kSampleInterval)) * 1e-6;
}

std::variant<SegySection, std::string> Read(const std::string& path) {
  BinaryFile file = BinaryFile::OpenForReading(path);
  const std::int64_t length = file.Length();
  std::vector<std::uint8_t> headers(layout::kFirstTraceOffset);
  if (length < static_cast<std::int64_t>(headers.size()) || file.Read(headers) != headers.size()) {
    return NotOurs(path, std::to_string(length) + " bytes are fewer than the " +
                             std::to_string(headers.size()) + " of the file headers");
  }
  const ByteSpan binary = ByteSpan(headers).subspan(layout::kBinaryHeaderOffset);
  const std::uint16_t format = Field16(binary, layout::binary::kSampleFormat);
  if (format != layout::binary::kFormatTwoByteInteger) {
    return NotOurs(path, "its sample format code is " + std::to_string(format) +
                             ", not 3 (2-byte integers, least significant byte first)");
  }
  SegySection section;
  section.path = path;
  section.samplesPerTrace = Field16(binary, layout::binary::kSamplesPerTrace);
  if (section.samplesPerTrace == 0) {
    return NotOurs(path, "its binary header gives 0 samples per trace");
  }
  const std::size_t traceBytes =
      layout::kTraceHeaderSize + layout::kBytesPerSample * section.samplesPerTrace;
  const auto traceArea = static_cast<std::uint64_t>(length) - layout::kFirstTraceOffset;
  if (traceArea % traceBytes != 0) {
    return NotOurs(path, std::to_string(length) + " bytes are not the " +
                             std::to_string(layout::kFirstTraceOffset) +
                             " bytes of the file headers and whole traces of " +
                             std::to_string(traceBytes) + " bytes (" +
                             std::to_string(section.samplesPerTrace) + " samples)");
  }
  const auto traceCount = static_cast<std::size_t>(traceArea / traceBytes);
  if (traceCount == 0) {
    return path + " holds no traces.";
  }

  std::vector<std::uint8_t> trace(traceBytes);
  section.traces.resize(traceCount);
  for (std::size_t i = 0; i < traceCount; ++i) {
    if (file.Read(trace) != trace.size()) {
      return path + " ended while trace " + std::to_string(i + 1) + " was read.";
    }
    const ByteSpan header = ByteSpan(trace).first(layout::kTraceHeaderSize);
    if (Field16(header, layout::trace::kSampleCount) != section.samplesPerTrace) {
      return NotOurs(path, "trace " + std::to_string(i + 1) + " does not have the " +
                               std::to_string(section.samplesPerTrace) +
                               " samples of the binary header");
    }
    if (i == 0) {
      section.sampleIntervalSeconds = SampleIntervalSeconds(header, binary);
      if (section.sampleIntervalSeconds <= 0.0) {
        return NotOurs(path, "it gives no sample interval");
      }
    }
    SectionTrace& out = section.traces[i];
    out.shotNumber = FieldSigned32(header, layout::trace::kFieldRecord);
    out.rangeKm = static_cast<double>(FieldSigned32(header, layout::trace::kRange)) / 1000.0;
    // The samples are the recorder's unsigned counts written as 16-bit patterns; read as
    // signed, mid-scale would wrap from 32767 to -32768.
    out.counts.resize(section.samplesPerTrace);
    const ByteSpan samples = ByteSpan(trace).subspan(layout::kTraceHeaderSize);
    for (std::size_t k = 0; k < out.counts.size(); ++k) {
      out.counts[k] = static_cast<float>(LoadLE16(samples, layout::kBytesPerSample * k));
    }
  }
  return section;
}

}  // namespace

std::variant<SegySection, std::string> ReadSegySection(const std::string& path) {
  try {
    return Read(path);
  } catch (const FileError& error) {
    return std::string(error.what());
  }
}

}  // namespace obscut
