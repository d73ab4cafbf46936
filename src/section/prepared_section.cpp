#include "section/prepared_section.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>

#include "base/string_printf.h"
#include "section/band_pass.h"
#include "section/section_geometry.h"
#include "section/trace_gain.h"

namespace obscut {
namespace {

constexpr TimeInterval kPreferredTimeRange{-1.0, 15.0};

// The reduced times of the first and the last sample over all traces.
TimeInterval DataTimeSpan(const SegySection& section, const SectionSettings& settings) {
  const double duration =
      static_cast<double>(section.samplesPerTrace - 1) * section.sampleIntervalSeconds;
  TimeInterval span{std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest()};
  for (const SectionTrace& trace : section.traces) {
    const double first = settings.minTime - ReductionDelay(trace.rangeKm, settings.reduceVelocity);
    span.from = std::min(span.from, first);
    span.to = std::max(span.to, first + duration);
  }
  return span;
}

// Sample indices [first, last) that fall within the reduced times of `shown`.
std::pair<std::size_t, std::size_t> ShownSamples(double firstSampleTime, double interval,
                                                 std::size_t count, TimeInterval shown) {
  const double from = std::ceil((shown.from - firstSampleTime) / interval);
  const double to = std::floor((shown.to - firstSampleTime) / interval) + 1.0;
  const double size = static_cast<double>(count);
  return {static_cast<std::size_t>(std::clamp(from, 0.0, size)),
          static_cast<std::size_t>(std::clamp(to, 0.0, size))};
}

std::string Title(const SegySection& section) {
  const std::string name = std::filesystem::path(section.path).filename().string();
  std::int32_t lowest = section.traces.front().shotNumber;
  std::int32_t highest = lowest;
  for (const SectionTrace& trace : section.traces) {
    lowest = std::min(lowest, trace.shotNumber);
    highest = std::max(highest, trace.shotNumber);
  }
  if (lowest == highest) {
    return StringPrintf("%s - shot %d", name.c_str(), lowest);
  }
  return StringPrintf("%s - shots %d to %d", name.c_str(), lowest, highest);
}

std::string TimeCaption(double velocity) {
  if (velocity <= 0.0) {
    return "Time after the shot (s)";
  }
  return StringPrintf("Reduced time t - |range| / %g km/s (s)", velocity);
}

}  // namespace

TimeInterval DefaultTimeRange(const SegySection& section, const SectionSettings& settings) {
  const TimeInterval data = DataTimeSpan(section, settings);
  const TimeInterval shown{std::max(kPreferredTimeRange.from, data.from),
                           std::min(kPreferredTimeRange.to, data.to)};
  if (shown.to > shown.from) {
    return shown;
  }
  if (data.to > data.from) {
    return data;
  }
  // A single sample: a second around it.
  return {data.from - 0.5, data.from + 0.5};
}

double DefaultClip(TraceGain gain) {
  return gain == TraceGain::kAutomatic ? 2.0 : 0.5;
}

std::variant<PreparedSection, std::string> PrepareSection(const SegySection& section,
                                                          const SectionSettings& settings) {
  const double interval = section.sampleIntervalSeconds;
  const double nyquist = 0.5 / interval;
  if (settings.band && settings.band->highHz >= nyquist) {
    return StringPrintf(
        "the band's high corner, %g Hz, is not below half the sample rate of %s (%g Hz)",
        settings.band->highHz, section.path.c_str(), nyquist);
  }

  PreparedSection prepared;
  prepared.sampleInterval = interval;
  prepared.t = settings.timeRange ? *settings.timeRange : DefaultTimeRange(section, settings);
  const std::vector<double> positions = TracePositions(section, settings.placement);
  prepared.spacing = TypicalSpacing(positions);
  const auto [lowest, highest] = std::minmax_element(positions.begin(), positions.end());
  // Room for the outermost wiggles.
  prepared.x = {*lowest - prepared.spacing, *highest + prepared.spacing};
  prepared.title = Title(section);
  prepared.xCaption =
      settings.placement == TracePlacement::kByRange ? "Range (km)" : "Trace number";
  prepared.tCaption = TimeCaption(settings.reduceVelocity);

  std::optional<BandPass> band;
  if (settings.band) {
    band.emplace(settings.band->lowHz, settings.band->highHz, 1.0 / interval);
  }
  const auto agcWindow =
      static_cast<std::size_t>(std::max(1.0, std::round(settings.agcWindowSeconds / interval)));
  const double clip = settings.clip.value_or(DefaultClip(settings.gain));
  for (std::size_t i = 0; i < section.traces.size(); ++i) {
    const SectionTrace& trace = section.traces[i];
    PreparedTrace out;
    out.x = positions[i];
    out.firstSampleTime = settings.minTime - ReductionDelay(trace.rangeKm, settings.reduceVelocity);
    out.values = Debias(trace.counts);
    if (band) {
      band->ApplyZeroPhase(out.values);
    }
    if (settings.gain == TraceGain::kAutomatic) {
      out.values = AutomaticGain(out.values, agcWindow);
    } else {
      const auto [first, last] =
          ShownSamples(out.firstSampleTime, interval, out.values.size(), prepared.t);
      NormaliseTrace(out.values, first, last);
    }
    for (double& value : out.values) {
      value = std::clamp(value / clip, -1.0, 1.0);
    }
    prepared.traces.push_back(std::move(out));
  }
  return prepared;
}

}  // namespace obscut
