// Making traces ready to look at: removing the recorder's resting level, and scaling each
// trace so that near and far shots can be seen side by side.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace obscut {

// The counts less their mean. Counts of exactly 0 are where the converter wrote no data; they
// are left out of the mean and come out as 0, so a gap shows as a quiet stretch rather than
// as a step of half the recorder's scale. A trace without data is all zeros.
std::vector<double> Debias(std::span<const float> counts);

// Divides the trace by its largest absolute value within [first, last), so that the peak
// there is 1. A trace that is zero there is left as it is.
void NormaliseTrace(std::span<double> trace, std::size_t first, std::size_t last);

// Automatic gain control: every sample divided by √2 times the root mean square of the
// `windowSamples` samples centred on it (fewer at the ends), so a steady sine wave keeps a
// peak of 1 whatever its size. Where the window is all zero the output is 0.
std::vector<double> AutomaticGain(std::span<const double> trace, std::size_t windowSamples);

}  // namespace obscut
