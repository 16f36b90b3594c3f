#pragma once
// Neighbourhood filters: the standard filters of the Effects menu, moving
// average, motion blur and sharpen.
#include <optional>
#include <vector>

#include "effects/model/EffectInput.h"
#include "effects/model/FIRIIR.h"

namespace lumarte::effects {

struct EffectRow;

// The disc average of radius `width` around every selected pixel (clipped at
// the image border), or with highPass the normalised difference between the
// image and that average. Abortable; progress per row.
editor::TBitmap MovingAverage(const EffectInput& in, int width, bool highPass);
struct MovingAverageParams {
  int Width = 1;
  bool HighPass = false;
};

// A line of speed + 1 taps along direction theta (radians, screen y down)
// plus the pixel itself, averaged.
TFIRIIRFilter MotionBlurFilter(int speed, double theta);
editor::TBitmap MotionBlur(const EffectInput& in, int speed, double theta);
struct MotionBlurParams {
  int Speed = 10;
  double Direction = 0;  // radians, as the picker sets it (screen y grows downwards)
};

// The direction the picker takes for a press (drag false) or a drag with the
// left button at (dx, dy) from its centre; nothing when the point gives none.
std::optional<double> DirectionFromPoint(int dx, int dy, bool drag);

// Intensity 1..10; recursive adds taps on the output (stronger, shifts colours).
TFIRIIRFilter SharpenFilter(int intensity, bool recursive);
editor::TBitmap Sharpen(const EffectInput& in, int intensity, bool recursive);
struct SharpenParams {
  int Intensity = 5;
  bool Recursive = false;
};

// The standard filters of the Effects menu: each one filter (or one per
// channel) of taps and fields, run over the selection without a dialog.
struct TTapRow {
  int dx, dy;
  double w;
  bool iir = false;
};

struct TFilterRow {
  std::vector<TTapRow> Taps;
  double Scale = 1;
  double Offset = 0;
  double LowLimit = -255, HighLimit = 255;
  bool Normalize = false;
  double Center = 0;
};

struct TStandardFilter {
  const char* Caption;
  const char* MenuItem;
  int Iterations;
  std::vector<TFilterRow> Filters;  // one for all channels, or red, green, blue
};
const std::vector<TStandardFilter>& StandardFilters();

// The twelve standard filters (no dialog), then the three filter dialogs.
void AddStandardFilterEffects(std::vector<EffectRow>& rows);
void AddFilterEffects(std::vector<EffectRow>& rows);

}  // namespace lumarte::effects
