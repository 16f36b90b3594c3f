// The table rows of the moving-average, motion-blur and sharpen dialogs.
#include <numbers>

#include "effects/model/EffectTable.h"
#include "effects/model/FilterEffects.h"
#include "effects/model/ParamRows.h"

namespace lumarte::effects {

namespace {

EffectRow MovingAverageRow() {
  EffectRow row{"",
                "Moving Average (Unsharpen and Edge Detection)",
                "TMovingAverageForm",
                "Moving Average Filter",
                {},
                RecomputePolicy::ReusePreview,
                "Filter.html",
                nullptr,
                {"LMMovingAverage1"}};
  row.Name = CliName(row.Caption);
  EffectParam mode = Radio("mode", "", {"as Low Pass ", "as High Pass (Normalized)"},
                           {"MAasLowPassRadioButton", "MAasHighPassRadioButton"});
  row.Params = {Range("width", "Width", 1, 16, 1, "TrackBar1", "SpinEdit1"), mode};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t) {
    return MovingAverage(in, v.Int(row.Params[0]), v.Int(row.Params[1]) == 1);
  };
  return row;
}

EffectRow MotionBlurRow() {
  EffectRow row{"motion-blur",
                "Motion Blur",
                "TMotionBlurForm",
                "Motion Blur",
                {},
                RecomputePolicy::ReusePreview,
                "StdFilters.html",
                nullptr,
                {"LMMotionBlur1"}};
  // The direction in radians, as the picker sets it (screen y grows downwards).
  row.Params = {Range("speed", "Speed", 1, 100, 10, "TrackBar1"),
                Range("direction", "Direction", 0, 2 * std::numbers::pi, 0, "Image2")};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t) {
    return MotionBlur(in, v.Int(row.Params[0]), v.Get(row.Params[1]));
  };
  return row;
}

EffectRow SharpenRow() {
  EffectRow row{"sharpen",         "Sharpen", "TSharpenForm",
                "Sharpen",         {},        RecomputePolicy::Always,
                "StdFilters.html", nullptr,   {"LMSharpen2"}};
  const char* recursive = "Recursive (stronger sharpening, but color changes)";
  EffectParam check = Check(CliName(recursive), recursive, "SFRecursiveCheckBox");
  row.Params = {Range("intensity", "Intensity", 1, 10, 5, "TrackBar1"), check};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t) {
    return Sharpen(in, v.Int(row.Params[0]), v.Int(row.Params[1]) != 0);
  };
  return row;
}

}  // namespace

void AddFilterEffects(std::vector<EffectRow>& rows) {
  AddStandardFilterEffects(rows);
  for (auto make : {MovingAverageRow, MotionBlurRow, SharpenRow}) rows.push_back(make());
}

}  // namespace lumarte::effects
