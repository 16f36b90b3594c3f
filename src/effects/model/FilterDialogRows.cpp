// The table rows of the moving-average, motion-blur and sharpen dialogs.
#include <numbers>

#include "effects/model/EffectTable.h"
#include "effects/model/FilterEffects.h"

namespace lumarte::effects {

namespace {

EffectRow MovingAverageRow() {
  using P = MovingAverageParams;
  return Effect<P>(
      {.Caption = "Moving Average (Unsharpen and Edge Detection)",
       .FormName = "TMovingAverageForm",
       .FormCaption = "Moving Average Filter",
       .Params = {Field(&P::Width, {.Caption = "Width", .Min = 1, .Max = 16, .Default = 1,
                                    .Control = "TrackBar1", .Edit = "SpinEdit1"}),
                  Field(&P::HighPass,
                        {.Choices = {"as Low Pass ", "as High Pass (Normalized)"},
                         .ChoiceControls = {"MAasLowPassRadioButton", "MAasHighPassRadioButton"},
                         .Name = "mode"})},
       .Policy = RecomputePolicy::ReusePreview,
       .HelpPage = "Filter.html",
       .MenuItems = {"LMMovingAverage1"}},
      [](const EffectInput& in, const P& p, uint32_t) {
        return MovingAverage(in, p.Width, p.HighPass);
      });
}

EffectRow MotionBlurRow() {
  using P = MotionBlurParams;
  return Effect<P>(
      {.Caption = "Motion Blur",
       .FormName = "TMotionBlurForm",
       .FormCaption = "Motion Blur",
       .Params = {Field(&P::Speed, {.Caption = "Speed", .Min = 1, .Max = 100, .Default = 10,
                                    .Control = "TrackBar1"}),
                  Field(&P::Direction, {.Caption = "Direction", .Max = 2 * std::numbers::pi,
                                        .Control = "Image2"})},
       .Policy = RecomputePolicy::ReusePreview,
       .HelpPage = "StdFilters.html",
       .MenuItems = {"LMMotionBlur1"}},
      [](const EffectInput& in, const P& p, uint32_t) {
        return MotionBlur(in, p.Speed, p.Direction);
      });
}

EffectRow SharpenRow() {
  using P = SharpenParams;
  return Effect<P>(
      {.Caption = "Sharpen",
       .FormName = "TSharpenForm",
       .FormCaption = "Sharpen",
       .Params = {Field(&P::Intensity, {.Caption = "Intensity", .Min = 1, .Max = 10,
                                        .Default = 5, .Control = "TrackBar1"}),
                  Field(&P::Recursive,
                        {.Caption = "Recursive (stronger sharpening, but color changes)",
                         .Kind = ControlKind::Check,
                         .Control = "SFRecursiveCheckBox"})},
       .HelpPage = "StdFilters.html",
       .MenuItems = {"LMSharpen2"}},
      [](const EffectInput& in, const P& p, uint32_t) {
        return Sharpen(in, p.Intensity, p.Recursive);
      });
}

}  // namespace

void AddFilterEffects(std::vector<EffectRow>& rows) {
  AddStandardFilterEffects(rows);
  for (auto make : {MovingAverageRow, MotionBlurRow, SharpenRow}) rows.push_back(make());
}

}  // namespace lumarte::effects
