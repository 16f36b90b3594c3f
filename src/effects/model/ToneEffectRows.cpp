// The table rows of the tone and colour adjustments.
#include "base/Random.h"
#include "effects/model/EffectTable.h"
#include "effects/model/ToneEffects.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;

// A -100..100 channel slider of the Brightness dialog; without a value of
// its own it takes Overall's.
EffectParam Channel(int BrightnessParams::*field, const char* caption, const char* n) {
  return Field(field, {.Caption = caption, .Min = -100, .Max = 100,
                       .Control = std::string("TrackBar") + n, .Edit = std::string("Edit") + n,
                       .Follows = "overall"});
}

EffectRow BrightnessRow() {
  using P = BrightnessParams;
  return Effect<P>(
      {.Caption = "Adjust Brightness",
       .FormName = "TBrightnessForm",
       .FormCaption = "Brightness",
       .Params = {{.Caption = "Overall", .Min = -100, .Max = 100, .Control = "TrackBar1",
                   .Edit = "Edit1"},
                  Channel(&P::Red, "Red", "2"), Channel(&P::Green, "Green", "3"),
                  Channel(&P::Blue, "Blue", "4"),
                  Field(&P::Range, {.Caption = "Range",
                                    .Default = 1,
                                    .Choices = {"0.8 - 1.25", "0.5 - 2", "0.1 - 10"},
                                    .ChoiceControls = {"RadioButton1", "RadioButton2",
                                                       "RadioButton3"}})},
       .HelpPage = "Brightness.html",
       .MenuItems = {"LMBrightness1"}},
      [](const EffectInput& in, const P& p, uint32_t) { return Brightness(in, p); });
}

EffectRow ContrastRow() {
  using P = ContrastParams;
  return Effect<P>(
      {.Caption = "Adjust Contrast",
       .FormName = "TContrastForm",
       .FormCaption = "Adjust Contrast",
       .Params = {Field(&P::Contrast, {.Caption = "Contrast", .Min = -50, .Max = 50,
                                       .Control = "TrackBar1", .Edit = "Edit1"}),
                  Field(&P::Brightness, {.Caption = "Brightness", .Min = -50, .Max = 50,
                                         .Control = "TrackBar2", .Edit = "Edit2"}),
                  Field(&P::Channel, {.Choices = {"All Colors", "Red", "Green", "Blue"},
                                      .ChoiceControls = {"AllColors", "Red", "Green", "Blue"},
                                      .Name = "channel"})},
       .HelpPage = "Contrast.html",
       .MenuItems = {"LMAdjustConstrast1"}},
      [](const EffectInput& in, const P& p, uint32_t) { return Contrast(in, p); });
}

EffectRow GammaRow() {
  using P = GammaParams;
  return Effect<P>(
      {.Caption = "Gamma Correction",
       .FormName = "TGammaCorrectionForm",
       .FormCaption = "Gamma Correction",
       .Params = {Field(&P::Position,
                        {.Max = 50, .Default = 28, .Control = "TrackBar1", .Name = "gamma"})},
       .Policy = RecomputePolicy::ReusePreview,
       .HelpPage = "Gamma.html",
       .MenuItems = {"LMGammaCorrection1"}},
      [](const EffectInput& in, const P& p, uint32_t seed) {
        Rng().Seed(seed);
        return GammaCorrection(in, GammaFromPosition(p.Position));
      });
}

EffectRow HueSaturationRow() {
  using P = HueSaturationParams;
  return Effect<P>(
      {.Caption = "Hue and Saturaton",
       .FormName = "THSVForm",
       .FormCaption = "Hue and Saturation",
       .Params = {Field(&P::Hue, {.Caption = "Hue", .Max = 200, .Control = "HueTrackbar"}),
                  Field(&P::Saturation, {.Caption = "Saturation", .Min = -100, .Max = 100,
                                         .Control = "SaturationTrackbar"}),
                  Field(&P::Brightness, {.Caption = "Brightness", .Min = -100, .Max = 100,
                                         .Control = "BrightnessTrackbar"})},
       .Policy = RecomputePolicy::ReusePreview,
       .HelpPage = "HSV.html",
       .MenuItems = {"LMChangeHSB1"}},
      [](const EffectInput& in, const P& p, uint32_t seed) {
        Rng().Seed(seed);
        return HueSaturation(in, p);
      });
}

// A target channel's formula; the last choice (the target's check box
// cleared) lies past the formula table and keeps the channel.
EffectParam Target(int SwitchColorsParams::*field, const char* caption, int def, const char* box) {
  std::vector<std::string> formulas;
  for (const auto& f : kSwitchFormulas) formulas.push_back(f.Caption);
  formulas.push_back("unchanged");
  return Field(field, {.Caption = caption, .Default = double(def), .Choices = formulas,
                       .Control = box});
}

EffectRow SwitchColorsRow() {
  using P = SwitchColorsParams;
  std::vector<std::string> presets{"none"};
  for (const auto& p : kSwitchPresets) presets.push_back(p.Caption);
  return Effect<P>(
      {.Caption = "Switch Colors",
       .FormName = "TSwitchColorsForm",
       .FormCaption = "Switch RGB values",
       .Params = {Target(&P::Red, "Red", 0, "ComboBox1"),
                  Target(&P::Green, "Green", 1, "ComboBox2"),
                  Target(&P::Blue, "Blue", 2, "ComboBox3"),
                  Field(&P::Preset, {.Caption = "Set Parameters to ", .Choices = presets,
                                     .Control = "ComboBox4"})},
       .HelpPage = "SwitchColors.html",
       .MenuItems = {"LMSwitchColors1", "LMSwitchColors2"}},
      [](const EffectInput& in, const P& p, uint32_t) { return SwitchColors(in, p); });
}

EffectRow AtmosphereRow() {
  using P = AtmosphereParams;
  return Effect<P>(
      {.Caption = "Athmosphere",
       .FormName = "TColorAtmoForm",
       .FormCaption = "Change Color Atmosphere",
       .Params = {Field(&P::Mode, {.Caption = "Make image more",
                                   .Choices = {"cold", "hot", "red", "green", "blue"},
                                   .Control = "CCAComboBox"}),
                  Field(&P::Intensity, {.Caption = "Intensity", .Min = 1, .Max = 100,
                                        .Default = 19, .Control = "CCA_IntensityTrackbar"})},
       .HelpPage = "ColorAtmo.html",
       .MenuItems = {"LMChangeColorAthmosphere1"}},
      [](const EffectInput& in, const P& p, uint32_t seed) {
        Rng().Seed(seed);
        return ColorAtmosphere(in, p.Mode, p.Intensity);
      });
}

EffectRow NoiseRow() {
  using P = NoiseParams;
  return Effect<P>(
      {.Caption = "Add Noise",
       .FormName = "TNoiseForm",
       .FormCaption = "Add Noise",
       .Params = {Field(&P::Channel,
                        {.Choices = {"all", "grey", "red", "green", "blue"},
                         .ChoiceControls = {"AN_AllRadioButton", "AN_GreyRadioButton",
                                            "AN_RedRadioButton", "AN_GreenRadioButton",
                                            "AN_BlueRadioButton"},
                         .Name = "channel"}),
                  Field(&P::Intensity, {.Caption = "Intensity", .Max = 100, .Default = 50,
                                        .Control = "AN_IntensityTrackBar"}),
                  Field(&P::ApplyFilter, {.Caption = "apply filter",
                                          .Kind = ControlKind::Check,
                                          .Control = "AN_FilterCheckBox"}),
                  Field(&P::Filter, {.Caption = "Filter Noise", .Max = 100, .Default = 50,
                                     .Control = "AN_FilterTrackBar", .Name = "filter"})},
       .HelpPage = "Noise.html",
       .MenuItems = {"LMAddNoise1"}},
      [](const EffectInput& in, const P& p, uint32_t seed) {
        Rng().Seed(seed);
        return AddNoise(in, p);
      });
}

}  // namespace

void AddToneEffects(std::vector<EffectRow>& rows) {
  for (auto make : {BrightnessRow, ContrastRow, SwitchColorsRow, GammaRow, AtmosphereRow,
                    HueSaturationRow, NoiseRow})
    rows.push_back(make());
}

}  // namespace lumarte::effects
