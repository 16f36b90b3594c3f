// The table rows of the lighting effects.
#include "effects/model/EffectTable.h"
#include "effects/model/Lighting.h"

namespace lumarte::effects {

namespace {

EffectRow LightAndDarknessRow() {
  using P = LightAndDarknessParams;
  const std::string light = std::string(kLightForm) +
                            " (STYLE 0 Light, 1 Darkness, 2 Light avg., 3 Darkness avg.; "
                            "FUNCTION -1 Constant, 0 Linear, 1 Quadratic, 2 Exponential, "
                            "3 Sigmoid, 4 Sine, 5 Sine 2; MAXDIST -1 for 64000; FACTOR in "
                            "thousandths, 1000 = 1.0; colours in percent)";
  const std::string barrier = std::string(kBarrierForm) + " (filtered percent of each colour)";
  return Effect<P>(
      {.Caption = "Light and Darkness",
       .FormName = "TLightAndDarknessForm",
       .FormCaption = "Light and Darkness",
       .Params = {Field(&P::GlobalFactor, {.Caption = "Factor:",
                                           .Min = 1,
                                           .Max = kLightFactorMax,
                                           .Default = 1000,
                                           .Control = "GlobalFactorSpinEdit"}),
                  Field(&P::Normalize, {.Caption = "Normalize",
                                        .Kind = ControlKind::Check,
                                        .Control = "NormalizeCheckBox"})},
       .Lists = {ListField(&P::Lights, {.Name = "light", .Form = light}, &ParseLight),
                 ListField(&P::Barriers, {.Name = "barrier", .Form = barrier}, &ParseBarrier)},
       .HelpPage = "LightAndDarkness.html",
       .MenuItems = {"LMLightandDarkness1"}},
      [](const EffectInput& in, const P& p, uint32_t seed) {
        return LightAndDarkness(in, p, seed);
      });
}

using S = StochasticLuminanceParams;

EffectParam Check(bool S::*field, const char* caption, const char* name, bool on,
                  const char* control) {
  return Field(field, {.Caption = caption,
                       .Default = on ? 1.0 : 0.0,
                       .Kind = ControlKind::Check,
                       .Control = control,
                       .Name = name});
}

EffectParam Spin(int S::*field, const char* caption, const char* name, double lo, double hi,
                 double def, const char* control) {
  return Field(
      field,
      {.Caption = caption, .Min = lo, .Max = hi, .Default = def, .Edit = control, .Name = name});
}

// One source group's parameters: "light-..." or "darkness-...".
void AddGroup(std::vector<EffectParam>& params, const std::string& group, const char* Group,
              bool S::*on, int S::*rays, int S::*offset, int S::*hit, bool S::*minimum,
              bool S::*median, bool S::*maximum, bool isLight) {
  auto name = [&](const char* n) { return group + "-" + n; };
  auto control = [&](const char* n) { return std::string(Group) + n; };
  params.push_back(Check(on, "ON ", name("on").c_str(), isLight, control("ONCheckbox").c_str()));
  params.push_back(
      Spin(rays, "Rays", name("rays").c_str(), 1, 500, 10, control("RaysSpinEdit").c_str()));
  params.push_back(Spin(offset, "Offset (%)", name("offset").c_str(), 0, 100, 33,
                        control("OffsetSpinEdit").c_str()));
  params.push_back(Spin(hit, "Hit Prob. (%)", name("hit-prob").c_str(), 1, 99, 50,
                        control("HitProbSpinEdit").c_str()));
  params.push_back(Check(minimum, "Minimum", name("minimum").c_str(), !isLight,
                         control("MinimumCheckbox").c_str()));
  params.push_back(
      Check(median, "Median", name("median").c_str(), false, control("MedianCheckbox").c_str()));
  params.push_back(Check(maximum, "Maximum", name("maximum").c_str(), isLight,
                         control("MaximumCheckbox").c_str()));
}

EffectRow StochasticLuminanceRow() {
  std::vector<EffectParam> params;
  AddGroup(params, "light", "Light", &S::LightOn, &S::LightRays, &S::LightOffset, &S::LightHitProb,
           &S::LightMinimum, &S::LightMedian, &S::LightMaximum, true);
  AddGroup(params, "darkness", "Darkness", &S::DarknessOn, &S::DarknessRays, &S::DarknessOffset,
           &S::DarknessHitProb, &S::DarknessMinimum, &S::DarknessMedian, &S::DarknessMaximum,
           false);
  params.push_back(Spin(&S::Intensity, "Intensity Factor of Effect", "intensity", 1, 999, 80,
                        "IntensitySpinEdit"));
  return Effect<S>({.Caption = "Stochastic Luminance",
                    .FormName = "TStochasticIlluForm",
                    .FormCaption = "Stochastic Luminance",
                    .Params = params,
                    .Policy = RecomputePolicy::ReusePreview,
                    .HelpPage = "StochIllu.html",
                    .MenuItems = {"LMStochasticLumi1"}},
                   [](const EffectInput& in, const S& p, uint32_t seed) {
                     return StochasticLuminance(in, p, seed);
                   });
}

}  // namespace

void AddLightingEffects(std::vector<EffectRow>& rows) {
  rows.push_back(LightAndDarknessRow());
  rows.push_back(StochasticLuminanceRow());
}

}  // namespace lumarte::effects
