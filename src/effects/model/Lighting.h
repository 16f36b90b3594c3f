#pragma once
// Lighting effects: point sources of light and darkness with line barriers
// that filter them per channel, and the stochastic luminance that shoots
// random rays from the image's own brightest, darkest or median pixels.
#include <cstdint>
#include <string>
#include <vector>

#include "base/Random.h"
#include "effects/model/EffectInput.h"

namespace lumarte::effects {

struct EffectRow;

enum LightStyle : int32_t { kLight, kDarkness, kLightAverage, kDarknessAverage };
// The fall-off functions, numbered as a source's function field.
enum LightFunction : int32_t {
  kConstant = -1,
  kLinear,
  kQuadratic,
  kExponential,
  kSigmoid,
  kSine,
  kSine2
};

// The limits of the fields, as the dialog's controls take them.
inline constexpr int kLightCoordinateLimit = 32000;
inline constexpr int kLightWidthMax = 64000;
inline constexpr int kLightFactorMax = 9999;

struct TLight {
  int32_t Style = kLight;
  int32_t X = 0, Y = 0;
  int32_t Width = 0;         // reach of the fall-off function in pixels
  int32_t MaxDistance = -1;  // no effect beyond it; -1 means 64000
  int32_t Function = kLinear;
  double Factor = 1.0;                        // strength; the dialog shows thousandths
  double Red = 100, Green = 100, Blue = 100;  // colour in percent
  bool operator==(const TLight&) const = default;
};

struct TBarrier {
  int32_t Style = 0;  // 0 Line; nothing else is drawn or filters
  int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  double Red = 100, Green = 100, Blue = 100;  // percent of each channel absorbed
  bool operator==(const TBarrier&) const = default;
};

// A new source or barrier for a width x height image; the positions draw
// their random digits from rng, one each, in field order. Values are kept
// inside the fields' limits.
TLight NewLight(int width, int height, TRandomGenerator& rng);
TBarrier NewBarrier(int width, int height, TRandomGenerator& rng);

// The command line's text forms: STYLE,X,Y,WIDTH,MAXDIST,FUNCTION,FACTOR,RED,
// GREEN,BLUE (factor in thousandths, colours in percent) and
// X1,Y1,X2,Y2,RED,GREEN,BLUE (filters in percent). Raise ELumarteError
// naming the field that is wrong.
TLight ParseLight(const std::string& text);
TBarrier ParseBarrier(const std::string& text);
inline constexpr const char* kLightForm = "STYLE,X,Y,WIDTH,MAXDIST,FUNCTION,FACTOR,RED,GREEN,BLUE";
inline constexpr const char* kBarrierForm = "X1,Y1,X2,Y2,RED,GREEN,BLUE";

// What a press in the visualisation takes hold of.
struct TLightHandle {
  enum TKind { None, Centre, Reach, Start, End } Kind = None;
  int Index = -1;  // of the source or the barrier
  bool operator==(const TLightHandle&) const = default;
};
// The handle nearest to (x, y), in image pixels: sources' centres first, then
// every barrier's first end point, then every second one (the earlier wins a
// tie); a source's circle of reach instead when the press lies within
// tolerance of it and nearer to it than to every handle.
TLightHandle PickLightHandle(const std::vector<TLight>& lights,
                             const std::vector<TBarrier>& barriers, double x, double y,
                             double tolerance);
// Drags the handle to (x, y): a centre or end point moves there, a reach
// becomes the distance to its centre; kept inside the fields' limits.
void DragLightHandle(TLightHandle h, std::vector<TLight>& lights, std::vector<TBarrier>& barriers,
                     double x, double y);

struct TSegmentEnd {
  int64_t X = 0, Y = 0;
};
// Whether segments a-b and c-d share a point (touching counts); exact for
// vertical, parallel, collinear and zero-length segments.
bool SegmentsIntersect(TSegmentEnd a, TSegmentEnd b, TSegmentEnd c, TSegmentEnd d);

struct LightAndDarknessParams {
  std::vector<TLight> Lights;
  std::vector<TBarrier> Barriers;
  int GlobalFactor = 1000;  // thousandths
  bool Normalize = false;
};
// Seeds the program's generator with seed and draws the dithering from it:
// three numbers (red, green, blue) per selected pixel in rows top to bottom,
// for each pass. The result is the same however many cores share the work.
editor::TBitmap LightAndDarkness(const EffectInput& in, const LightAndDarknessParams& p,
                                 uint32_t seed);

struct StochasticLuminanceParams {
  bool LightOn = true;
  int LightRays = 10, LightOffset = 33, LightHitProb = 50;
  bool LightMinimum = false, LightMedian = false, LightMaximum = true;
  bool DarknessOn = false;
  int DarknessRays = 10, DarknessOffset = 33, DarknessHitProb = 50;
  bool DarknessMinimum = true, DarknessMedian = false, DarknessMaximum = false;
  int Intensity = 80;
};
// Seeds the program's generator with seed; the rays draw from it in order.
editor::TBitmap StochasticLuminance(const EffectInput& in, const StochasticLuminanceParams& p,
                                    uint32_t seed);

void AddLightingEffects(std::vector<EffectRow>& rows);

}  // namespace lumarte::effects
