#pragma once
// Geometric transforms and distortion: rotation of the selection, resizing
// and enlarging the canvas of the whole image, threshold distortion and the
// radial pinch/punch deformation.
#include <optional>
#include <string>
#include <vector>

#include "editor/model/DocumentList.h"
#include "editor/model/Polygon.h"
#include "effects/model/EffectInput.h"

namespace lumarte::effects {

struct EffectRow;

// ---- rotation ----

// (x, y) turned by `degrees` about (cx, cy), through its distance and its
// angle from the downward y axis; positive angles turn counter-clockwise on
// the screen. Results are rounded halves to even.
editor::TPoint RotatePoint(int64_t x, int64_t y, int64_t cx, int64_t cy, double degrees);

struct RotateParams {
  int Angle = 0;  // 0..359
  bool OverwriteAndResize = false;
  // Source pixels in the transparent colour interval are not copied.
  bool UseTransparent = true;
};
editor::TBitmap Rotate(const EffectInput& in, const RotateParams& p);

// The angle field: an integer taken modulo 360 into 0..359, or nothing for
// text that is not an integer.
std::optional<int> ParseAngle(const std::string& text);

// ---- resize ----

// "Resize": the percent shown for a size, round(pixels·1000/imageSize)/10.
std::string PercentText(int pixels, int imageSize);
// The pixels for a percent: round(imageSize·0.01·percent).
int PercentPixels(double percent, int imageSize);
// The same for the text of a percent field (a number >= 0).
std::optional<int> PixelsFromPercent(const std::string& text, int imageSize);
// "Resize, use Height and Width": the current document resampled to
// width × height as one undo step, the window fitted again. Sizes below 1
// do nothing (false).
bool ResizeDocument(editor::DocumentList& docs, int width, int height);
// The command line's resize: a size of 0 comes from its percent.
struct ResizeParams {
  int Width = 0, Height = 0;
  double WidthPercent = 100, HeightPercent = 100;
};
// "Maintain Ratio": the other side, round(displayOther·size/displayThis).
int RatioSide(int size, int displayThis, int displayOther);

// ---- enlarge canvas ----

enum class CanvasAlign { Start, Centre, End };  // left/top, center/middle, right/bottom
struct EnlargeCanvasParams {
  int Width = 0, Height = 0;  // the new size
  CanvasAlign Horizontal = CanvasAlign::Start, Vertical = CanvasAlign::Start;
  int HorOffset = 0, VertOffset = 0;
};
editor::TBitmap EnlargeCanvas(const EffectInput& in, const EnlargeCanvasParams& p);
// The growth labels: "+" followed by max(0, new - old).
std::string GrowthText(int newSize, int oldSize);

// ---- distortion ----

struct DistortionParams {
  int Threshold = 64;  // 1..127
  bool Red = true, Green = true, Blue = true;
  bool MedianCentre = true;
  bool Clipping = false;
  int Offset = 0;  // -127..127
};
editor::TBitmap Distortion(const EffectInput& in, const DistortionParams& p);

// ---- pinch and punch ----

enum class PinchMethod { Linear, Square, Harder, Softer };
// t' = f(t) for the method at strength k (position / 201).
double PinchMapping(PinchMethod method, double k, double t);
struct PinchPunchParams {
  int Position = 0;  // 0..200
  PinchMethod Method = PinchMethod::Square;
};
editor::TBitmap PinchPunch(const EffectInput& in, const PinchPunchParams& p);

void AddTransformEffects(std::vector<EffectRow>& rows);

}  // namespace lumarte::effects
