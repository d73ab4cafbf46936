// A zero-phase Butterworth band-pass: a 4th-order high-pass at the low corner and a 4th-order
// low-pass at the high corner, each two second-order sections designed by the bilinear
// transform, run forward and then backward over the trace. The second pass cancels the
// phase shift of the first, so arrivals stay where they are, and doubles the attenuation:
// the amplitude response is |H|², 1/2 at each corner.
#pragma once

#include <array>
#include <span>

namespace obscut {

class BandPass {
 public:
  // 0 < lowHz < highHz < sampleRate / 2; the caller checks.
  BandPass(double lowHz, double highHz, double sampleRate);

  void ApplyZeroPhase(std::span<double> trace) const;

 private:
  struct Section {
    double b0, b1, b2, a1, a2;  // a0 normalised to 1
  };
  static Section LowPass(double cornerHz, double q, double sampleRate);
  static Section HighPass(double cornerHz, double q, double sampleRate);
  void ApplyForward(std::span<double> trace) const;

  std::array<Section, 4> sections_{};
};

}  // namespace obscut
