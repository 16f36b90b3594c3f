#pragma once
// Filters in the frequency domain: the Fourier transform filter and the
// wavelet filter.
#include <vector>

#include "effects/model/EffectInput.h"

namespace lumarte::effects {

struct EffectRow;

enum class FourierOrientation { Vertical, Horizontal, TwoDimensional };
enum class FourierFilterType { LowPass, HighPass, BandReject, BandPass };
struct FourierParams {
  int CutOff = 40;  // percent, 1..100
  int Slope = 20;   // percent, 1..100
  FourierOrientation Orientation = FourierOrientation::TwoDimensional;
  FourierFilterType Type = FourierFilterType::LowPass;
  bool DisplaySpectrum = false;
  bool Normalize = false;
  bool WeirdEffect = false;  // sign -1 on half of the spectrum
};
// Each channel through the transform, times the filter shape, and back (or
// the spectrum itself). Abortable; progress titled "Fourier Transform Filter".
editor::TBitmap FourierTransformFilter(const EffectInput& in, const FourierParams& p);

// The gain of a filter shape at distance `at` from cut-off c with slope s;
// `half` scales the slope of the one-sided shapes (0.5 in two dimensions).
// A slope of 0 is a hard step at c.
double FourierGain(FourierFilterType type, double at, double c, double s, double half);

enum class MotherWavelet { Hat, Haar };
enum class WaveletOrientation { Horizontal, Vertical, TwoDimensional };
enum class WaveletFilter { LowPass, HighPass, SingleSpace };
struct WaveletParams {
  MotherWavelet Wavelet = MotherWavelet::Hat;
  int Iterations = 1;  // 1..20
  WaveletOrientation Orientation = WaveletOrientation::TwoDimensional;
  WaveletFilter Filter = WaveletFilter::LowPass;
};
// Each channel through the pyramid. Abortable; progress titled
// "Wavelet Transform".
editor::TBitmap WaveletTransformFilter(const EffectInput& in, const WaveletParams& p);

void AddFrequencyEffects(std::vector<EffectRow>& rows);

}  // namespace lumarte::effects
