// A record section ready to draw: every trace debiased, filtered and gained, placed on the x
// axis and in reduced time, with the texts of the title and the axes.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "section/section_settings.h"
#include "section/segy_section.h"

namespace obscut {

struct PreparedTrace {
  double x = 0.0;                // km or trace number
  double firstSampleTime = 0.0;  // reduced time of values[0], seconds
  // In units of full swing: ±1 is one trace spacing or full black and white; already cut
  // to ±1.
  std::vector<double> values;
};

struct PreparedSection {
  std::vector<PreparedTrace> traces;
  double sampleInterval = 0.0;  // seconds
  TimeInterval x;               // shown along the x axis
  TimeInterval t;               // reduced time shown, top to bottom
  double spacing = 1.0;         // usual distance between neighbouring traces, in x units
  std::string title;
  std::string xCaption;
  std::string tCaption;
};

// The reduced time shown when none is asked for: -1 s to 15 s, or as much of it as the data
// cover; all the data when they lie wholly outside it.
TimeInterval DefaultTimeRange(const SegySection& section, const SectionSettings& settings);

// The clip used when none is asked for: 0.5 of a normalised trace's peak, or 2 after automatic
// gain control, where noise alone reaches peaks of 2 to 3.
double DefaultClip(TraceGain gain);

// The section as `settings` want it drawn, or why it cannot be (a band reaching past half the
// sample rate).
std::variant<PreparedSection, std::string> PrepareSection(const SegySection& section,
                                                          const SectionSettings& settings);

}  // namespace obscut
