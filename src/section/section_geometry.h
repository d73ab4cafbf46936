// Where things go in a record section: reduced time, the traces' places along the x axis,
// axis ticks, and the mapping from section coordinates to pixels.
#pragma once

#include <span>
#include <vector>

#include "section/section_settings.h"
#include "section/segy_section.h"

namespace obscut {

// |range| / velocity, the time taken off every sample of a trace; 0 when velocity is 0.
double ReductionDelay(double rangeKm, double velocity);

// The x position of every trace: its signed range in km, or its number in the file (1 to N).
std::vector<double> TracePositions(const SegySection& section, TracePlacement placement);

// The usual distance between neighbouring traces: the median of the gaps between distinct
// positions, or 1 when all positions are equal.
double TypicalSpacing(std::span<const double> positions);

// Round tick values (1, 2 or 5 times a power of ten apart) within [from, to], at most about
// `maxTicks` of them.
std::vector<double> NiceTicks(TimeInterval span, int maxTicks);

// The plot area of the picture in pixels and the section coordinates it shows: x to the
// right, reduced time downward.
struct PlotFrame {
  double left = 0.0;
  double top = 0.0;
  double width = 0.0;
  double height = 0.0;
  TimeInterval x;  // section x (km or trace number) at the left and right edges
  TimeInterval t;  // reduced time at the top and bottom edges

  double Column(double xValue) const { return left + (xValue - x.from) / (x.to - x.from) * width; }
  double Row(double time) const { return top + (time - t.from) / (t.to - t.from) * height; }
};

// The plot frame of a picture of `width` x `height` pixels, leaving room around it for the
// title, the tick labels and the axis captions in a font of `fontPixels`.
PlotFrame MakePlotFrame(int width, int height, int fontPixels, TimeInterval x, TimeInterval t);

// The font size of the labels in a picture of that size.
int LabelFontPixels(int width, int height);

}  // namespace obscut
