// Motion blur and sharpen: filters built from the dialogs' settings and run
// over the selection.
#include <cmath>
#include <numbers>

#include "effects/model/FilterEffects.h"
#include "base/Rounding.h"

namespace lumarte::effects {

using std::numbers::pi;

TFIRIIRFilter MotionBlurFilter(int speed, double theta) {
  TFIRIIRFilter f;
  f.AddFIR(0, 0, 1);
  // From speed div 3 steps ahead to the rest behind; the centre comes twice.
  const double c = std::cos(theta), s = std::sin(theta);
  for (int i = 0; i <= speed; ++i) {
    const int step = speed / 3 - i;
    f.AddFIR(static_cast<int>(Round(c * step)), static_cast<int>(Round(s * step)), 1);
  }
  f.Scale = static_cast<float>(1.0 / (speed + 2));
  f.Offset = 0;
  return f;
}

editor::TBitmap MotionBlur(const EffectInput& in, int speed, double theta) {
  TFIRIIRFilter f = MotionBlurFilter(speed, theta);
  return ApplyFilterInSelection(in, f, 1);
}

std::optional<double> DirectionFromPoint(int dx, int dy, bool drag) {
  if (dx == 0) {
    if (!drag || dy == 0) return std::nullopt;
    return dy < 0 ? 3 * pi / 2 : pi / 2;
  }
  const double a = std::atan(std::abs(static_cast<double>(dy) / dx));
  if (dx < 0) return dy <= 0 ? pi + a : pi - a;
  return dy <= 0 ? 2 * pi - a : a;
}

TFIRIIRFilter SharpenFilter(int intensity, bool recursive) {
  const int p = intensity;
  TFIRIIRFilter f;
  f.AddFIR(0, 0, 15 - p);
  for (auto [dx, dy] : {std::pair{1, 0}, {0, 1}, {-1, 0}, {0, -1}}) f.AddFIR(dx, dy, -1);
  if (recursive) {
    f.AddIIR(0, 0, 14 - p);
    for (auto [dx, dy] : {std::pair{-2, 0}, {0, -2}, {-1, 0}, {0, -1}}) f.AddIIR(dx, dy, -1);
  }
  f.Scale = static_cast<float>(recursive ? 1.0 / (29 - 2 * p) : 1.0 / (11 - p));
  f.Offset = 0;
  return f;
}

editor::TBitmap Sharpen(const EffectInput& in, int intensity, bool recursive) {
  TFIRIIRFilter f = SharpenFilter(intensity, recursive);
  return ApplyFilterInSelection(in, f, 2);
}

}  // namespace lumarte::effects
