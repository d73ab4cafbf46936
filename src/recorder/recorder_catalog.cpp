#include "recorder/recorder_catalog.h"

namespace obscut {

CataloguedRecorder CatalogueRecorder(RecorderFile& file) {
  CataloguedRecorder entry;
  entry.path = file.path();
  entry.header = file.header();
  entry.start = ParseStartTime(entry.header);
  entry.sampleRate = entry.header.sampleRate();
  entry.bytesPerSample = entry.header.bytesPerSample();
  entry.length = file.Length();
  return entry;
}

}  // namespace obscut
