#include "segy/segy_output_set.h"

#include <new>
#include <span>

#include "base/byte_order.h"
#include "base/string_printf.h"
#include "segy/sample_conversion.h"
#include "segy/segy_headers.h"
#include "segy/segy_messages.h"

namespace obscut {

std::vector<std::string> OutputFileNames(const std::string& outputPath, int outputChannel) {
  const std::string stem = outputPath.substr(0, outputPath.size() - 4);
  if (outputChannel <= 0) {
    return {stem + "ch1.sgy", stem + "ch2.sgy", stem + "ch3.sgy", stem + "ch4.sgy"};
  }
  return {stem + StringPrintf("ch%d.sgy", outputChannel)};
}

SegyOutputSet SegyOutputSet::OpenOutputSet(const std::string& outputPath, int outputChannel) {
  std::vector<ChannelFile> files;
  std::size_t channel = outputChannel <= 0 ? 0 : static_cast<std::size_t>(outputChannel - 1);
  for (std::string& name : OutputFileNames(outputPath, outputChannel)) {
    files.push_back({channel++, OutputFile::Create(std::move(name))});
  }
  return SegyOutputSet(std::move(files));
}

std::optional<std::string> SegyOutputSet::WriteOutputHeaders(const RecorderHeader& recorder,
                                                             const ShotTableHeader& table,
                                                             float minTime, float maxTime) {
  const float sampleRate = recorder.sampleRate();
  const std::int64_t samples = WindowSampleCount(minTime, maxTime, sampleRate);
  if (samples < 0 || samples > static_cast<std::int64_t>(ChannelBuffers::kCapacity)) {
    return segy_message::WindowDoesNotFit(samples);
  }

  for (ChannelFile& output : files_) {
    output.file.Write(recorder.asciiHeader());
  }
  // The rest of the text header is left as the zero bytes the file is extended with.
  for (ChannelFile& output : files_) {
    output.file.Seek(segy_layout::kBinaryHeaderOffset);
  }
  samplesPerTrace_ = static_cast<std::uint16_t>(samples);
  sampleIntervalUs_ = SampleIntervalMicroseconds(sampleRate);
  const BinaryHeaderBytes binaryHeader =
      MakeBinaryHeader(table, samplesPerTrace_, sampleIntervalUs_);
  for (ChannelFile& output : files_) {
    output.file.Write(binaryHeader);
  }
  SetTraceHeaderRunFields(traceHeader_, samplesPerTrace_, sampleIntervalUs_, sampleRate);
  headersPending_ = false;
  return std::nullopt;
}

bool SegyOutputSet::WriteTrace(const ShotRecord& shot, const ShotTableHeader& table,
                               const ChannelBuffers& buffers) {
  SetTraceHeaderShotFields(traceHeader_, traceCount_, shot, table);

  // Header and samples go out in one write per file, from a buffer kept for the run.
  const std::size_t traceBytes =
      segy_layout::kTraceHeaderSize + segy_layout::kBytesPerSample * samplesPerTrace_;
  try {
    trace_.resize(traceBytes);
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::copy(traceHeader_.begin(), traceHeader_.end(), trace_.begin());
  const std::span<std::uint8_t> samples = std::span(trace_).subspan(segy_layout::kTraceHeaderSize);
  for (ChannelFile& output : files_) {
    ConvertSamples(buffers.Channel(output.channel).first(samplesPerTrace_), samples);
    output.file.Write(trace_);
  }
  ++traceCount_;
  return true;
}

void SegyOutputSet::FinishOutputSet() {
  std::array<std::uint8_t, 2> count{};
  StoreLE16(count, 0, traceCount_);
  const FieldSpec countField = segy_layout::binary::kTracesPerRecord;
  for (ChannelFile& output : files_) {
    output.file.Seek(
        static_cast<std::int64_t>(segy_layout::kBinaryHeaderOffset + countField.offset));
  }
  for (ChannelFile& output : files_) {
    output.file.Write(count);
  }
  for (ChannelFile& output : files_) {
    output.file.Close();
  }
}

void SegyOutputSet::CloseOutputSet() {
  std::optional<FileError> firstError;
  for (ChannelFile& output : files_) {
    try {
      output.file.CloseAsItStands();
    } catch (const FileError& error) {
      if (!firstError) {
        firstError = error;
      }
    }
  }
  if (firstError) {
    throw *firstError;
  }
}

}  // namespace obscut
