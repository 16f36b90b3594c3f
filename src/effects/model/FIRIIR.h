#pragma once
// The two-dimensional filter behind the standard filters and the sharpen and
// motion-blur dialogs: a kernel on the input (FIR taps), a kernel on the
// outputs already computed in the same pass (IIR taps), a gain, an offset and
// an optional stretch of the output range. It works on one channel at a time
// as a plane of 32-bit floats.
#include <cstdint>
#include <functional>
#include <vector>

#include "effects/model/EffectInput.h"

namespace lumarte::effects {

struct TTap {
  int32_t dx = 0, dy = 0;
  float w = 0;
};

// One channel, indexed [x][y]: the columns lie one after another, so the
// filter's column-by-column walk reads memory in order.
class TPlane {
 public:
  int Width() const { return W; }
  int Height() const { return H; }
  // Keeps the samples both sizes share; new ones are 0.
  void SetSize(int width, int height);
  float* operator[](int x) { return Data.data() + static_cast<size_t>(x) * H; }
  const float* operator[](int x) const { return Data.data() + static_cast<size_t>(x) * H; }
  void Swap(TPlane& other) noexcept;

 private:
  int W = 0, H = 0;
  std::vector<float> Data;
};

class TFIRIIRFilter {
 public:
  std::vector<TTap> FIRTaps;
  std::vector<TTap> IIRTaps;
  float Offset = 0;
  float Scale = 1;
  TPlane InPlane;
  TPlane OutPlane;
  bool Normalize = false;
  float LowLimit = -255;
  float HighLimit = 255;
  float Center = 0;

  void Clear();
  void AddFIR(int dx, int dy, double w);
  void AddIIR(int dx, int dy, double w);
  // One pass from InPlane to OutPlane.
  void Step();
  // Step, then iterations - 1 times: the output becomes the input, the old
  // input array takes the next output, Step. beforePass, when given, runs
  // before each pass with the pass's number.
  void Run(int iterations, const std::function<void(int)>& beforePass = {});
  // Filters a raster channel by channel (blue, green, red) with this kernel.
  // Reports each pass and raises ELumarteError "Aborted" when an abort is
  // requested before a pass; an abort after the last pass keeps the result.
  void Apply(const editor::TBitmap& source, editor::TBitmap& target, int iterations,
             ProgressReporter& progress);

 private:
  friend void ApplyRGB(const editor::TBitmap&, editor::TBitmap&, TFIRIIRFilter&, TFIRIIRFilter&,
                       TFIRIIRFilter&, int, ProgressReporter&);
  // Sizes the planes for a raster's channels; see ByRows.
  void BeginChannels(int width, int height);
  // While Apply runs a filter without IIR taps, the planes hold image rows
  // ([y][x]); afterwards they keep that shape.
  bool ByRows = false;
  void StepColumns(int x0, int x1, float& lo, float& hi);
  void NormalizeOutput(float lo, float hi);
};

// One filter per channel; all three channels are loaded, then each runs.
void ApplyRGB(const editor::TBitmap& source, editor::TBitmap& target, TFIRIIRFilter& red,
              TFIRIIRFilter& green, TFIRIIRFilter& blue, int iterations,
              ProgressReporter& progress);

// Filters the whole image, then keeps the filtered pixels inside the
// selection and the image's own pixels outside it.
editor::TBitmap ApplyFilterInSelection(const EffectInput& in, TFIRIIRFilter& filter,
                                       int iterations);
editor::TBitmap ApplyRGBInSelection(const EffectInput& in, TFIRIIRFilter& red, TFIRIIRFilter& green,
                                    TFIRIIRFilter& blue, int iterations);

}  // namespace lumarte::effects
