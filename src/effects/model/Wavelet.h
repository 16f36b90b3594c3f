#pragma once
// Multi-resolution pyramids with the hat (linear) and the Haar (box) scaling
// functions: each level smooths the previous one with the wavelet's filter
// table and keeps every second sample; a value is rebuilt from a level by
// interpolating with the scaling function.
#include <array>
#include <vector>

#include "effects/model/FrequencyEffects.h"

namespace lumarte::effects {

// The filter table F[m], m = -20..20, at index m + 20 (computed once).
const std::array<double, 41>& WaveletTable(MotherWavelet w);
// The taps used: |m| <= this in one dimension, or in each of two.
int WaveletTaps(MotherWavelet w, bool twoDimensional);

// A level of a two-dimensional pyramid: value [x][y] at y * Width + x.
struct TWaveletPlane {
  int Width = 0, Height = 0;
  std::vector<double> Values;
  double At(int x, int y) const { return Values[static_cast<size_t>(y) * Width + x]; }
};
using TWaveletLevels = std::vector<std::vector<double>>;
using TWaveletPlanes = std::vector<TWaveletPlane>;

// Levels 0..iterations; level 0 is the signal itself, each next one half as
// long (at least 1). The two-dimensional pyramid halves width and height.
TWaveletLevels Decompose(MotherWavelet w, std::vector<double> signal, int iterations);
TWaveletPlanes Decompose2D(MotherWavelet w, TWaveletPlane plane, int iterations);

// How sample x of a line of length `length` is rebuilt from a level of
// `levelLength` coefficients: Weight0 * c[Index0] + Weight1 * c[Index1].
struct TReconstructionTaps {
  int Index0 = 0, Index1 = 0;
  double Weight0 = 0, Weight1 = 0;
};
TReconstructionTaps ReconstructionTaps(MotherWavelet w, int x, int length, int levelLength);
inline double Rebuild(const std::vector<double>& c, const TReconstructionTaps& t) {
  return t.Weight0 * c[static_cast<size_t>(t.Index0)] +
         t.Weight1 * c[static_cast<size_t>(t.Index1)];
}
// Along y in the two columns, then along x between them.
inline double Rebuild(const TWaveletPlane& c, const TReconstructionTaps& tx,
                      const TReconstructionTaps& ty) {
  auto column = [&](int x) {
    return ty.Weight0 * c.At(x, ty.Index0) + ty.Weight1 * c.At(x, ty.Index1);
  };
  return tx.Weight0 * column(tx.Index0) + tx.Weight1 * column(tx.Index1);
}
// Raises EWaveletException "Iteration not available" unless 0 <= level < count.
void CheckWaveletLevel(int level, size_t count);

// The value at sample x (or (x, y)) rebuilt from `level`; raises
// EWaveletException "Iteration not available" for a level the pyramid lacks.
double Reconstruct(MotherWavelet w, int x, int level, const TWaveletLevels& levels);
double Reconstruct2D(MotherWavelet w, int x, int y, int level, const TWaveletPlanes& levels);

}  // namespace lumarte::effects
