// The table rows of the tone and colour adjustments.
#include "effects/model/EffectTable.h"
#include "effects/model/ParamRows.h"
#include "base/Random.h"
#include "effects/model/ToneEffects.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;

EffectRow BrightnessRow() {
  EffectRow row{
      "adjust-brightness",     "Adjust Brightness", "TBrightnessForm", "Brightness",     {},
      RecomputePolicy::Always, "Brightness.html",   nullptr,           {"LMBrightness1"}};
  row.Params = {Range("overall", "Overall", -100, 100, 0, "TrackBar1", "Edit1"),
                Range("red", "Red", -100, 100, 0, "TrackBar2", "Edit2"),
                Range("green", "Green", -100, 100, 0, "TrackBar3", "Edit3"),
                Range("blue", "Blue", -100, 100, 0, "TrackBar4", "Edit4"),
                Radio("range", "Range", {"0.8 - 1.25", "0.5 - 2", "0.1 - 10"},
                      {"RadioButton1", "RadioButton2", "RadioButton3"}, 1)};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t) {
    // "Overall" drives the three channels unless one is given on its own.
    auto channel = [&](const char* name) {
      const EffectParam& p = row.Param(name);
      return v.Has(name) ? v.Int(p) : v.Int(row.Param("overall"));
    };
    return Brightness(
        in, {channel("red"), channel("green"), channel("blue"), v.Int(row.Param("range"))});
  };
  return row;
}

EffectRow ContrastRow() {
  EffectRow row{
      "adjust-contrast",       "Adjust Contrast", "TContrastForm", "Adjust Contrast",     {},
      RecomputePolicy::Always, "Contrast.html",   nullptr,         {"LMAdjustConstrast1"}};
  row.Params = {Range("contrast", "Contrast", -50, 50, 0, "TrackBar1", "Edit1"),
                Range("brightness", "Brightness", -50, 50, 0, "TrackBar2", "Edit2"),
                Radio("channel", "", {"All Colors", "Red", "Green", "Blue"},
                      {"AllColors", "Red", "Green", "Blue"})};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t) {
    return Contrast(in, {v.Int(row.Params[0]), v.Int(row.Params[1]),
                         static_cast<ContrastChannel>(v.Int(row.Params[2]))});
  };
  return row;
}

EffectRow GammaRow() {
  EffectRow row{"gamma-correction",
                "Gamma Correction",
                "TGammaCorrectionForm",
                "Gamma Correction",
                {},
                RecomputePolicy::ReusePreview,
                "Gamma.html",
                nullptr,
                {"LMGammaCorrection1"}};
  row.Params = {Range("gamma", "", 0, 50, 28, "TrackBar1")};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t seed) {
    Rng().Seed(seed);
    return GammaCorrection(in, GammaFromPosition(v.Int(row.Params[0])));
  };
  return row;
}

EffectRow HueSaturationRow() {
  EffectRow row{
      "hue-and-saturaton",           "Hue and Saturaton", "THSVForm", "Hue and Saturation", {},
      RecomputePolicy::ReusePreview, "HSV.html",          nullptr,    {"LMChangeHSB1"}};
  row.Params = {Range("hue", "Hue", 0, 200, 0, "HueTrackbar"),
                Range("saturation", "Saturation", -100, 100, 0, "SaturationTrackbar"),
                Range("brightness", "Brightness", -100, 100, 0, "BrightnessTrackbar")};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t seed) {
    Rng().Seed(seed);
    return HueSaturation(in, {v.Int(row.Params[0]), v.Int(row.Params[1]), v.Int(row.Params[2])});
  };
  return row;
}

EffectRow SwitchColorsRow() {
  std::vector<std::string> formulas;
  for (const auto& f : kSwitchFormulas) formulas.push_back(f.Caption);
  formulas.push_back("unchanged");  // the target's check box cleared
  std::vector<std::string> presets{"none"};
  for (const auto& p : kSwitchPresets) presets.push_back(p.Caption);
  EffectRow row{"switch-colors",
                "Switch Colors",
                "TSwitchColorsForm",
                "Switch RGB values",
                {},
                RecomputePolicy::Always,
                "SwitchColors.html",
                nullptr,
                {"LMSwitchColors1", "LMSwitchColors2"}};
  row.Params = {Choice("red", "Red", formulas, 0, "ComboBox1"),
                Choice("green", "Green", formulas, 1, "ComboBox2"),
                Choice("blue", "Blue", formulas, 2, "ComboBox3"),
                Choice("set-parameters-to", "Set Parameters to ", presets, 0, "ComboBox4")};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t) {
    auto formula = [&](int i) {
      int f = v.Int(row.Params[i]);
      return f == static_cast<int>(kSwitchFormulas.size()) ? -1 : f;
    };
    SwitchColorsParams p{formula(0), formula(1), formula(2)};
    if (int preset = v.Int(row.Params[3]); preset > 0) {
      const SwitchPreset& s = kSwitchPresets[static_cast<size_t>(preset - 1)];
      p = {s.Red, s.Green, s.Blue};
    }
    return SwitchColors(in, p);
  };
  return row;
}

EffectRow AtmosphereRow() {
  EffectRow row{
      "athmosphere",           "Athmosphere",    "TColorAtmoForm", "Change Color Atmosphere",    {},
      RecomputePolicy::Always, "ColorAtmo.html", nullptr,          {"LMChangeColorAthmosphere1"}};
  row.Params = {Choice("make-image-more", "Make image more",
                       {"cold", "hot", "red", "green", "blue"}, 0, "CCAComboBox"),
                Range("intensity", "Intensity", 1, 100, 19, "CCA_IntensityTrackbar")};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t seed) {
    Rng().Seed(seed);
    return ColorAtmosphere(in, static_cast<AtmosphereMode>(v.Int(row.Params[0])),
                           v.Int(row.Params[1]));
  };
  return row;
}

EffectRow NoiseRow() {
  EffectRow row{"add-noise",  "Add Noise", "TNoiseForm",   "Add Noise", {}, RecomputePolicy::Always,
                "Noise.html", nullptr,     {"LMAddNoise1"}};
  row.Params = {Radio("channel", "", {"all", "grey", "red", "green", "blue"},
                      {"AN_AllRadioButton", "AN_GreyRadioButton", "AN_RedRadioButton",
                       "AN_GreenRadioButton", "AN_BlueRadioButton"}),
                Range("intensity", "Intensity", 0, 100, 50, "AN_IntensityTrackBar"),
                Check("apply-filter", "apply filter", "AN_FilterCheckBox"),
                Range("filter", "Filter Noise", 0, 100, 50, "AN_FilterTrackBar")};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t seed) {
    Rng().Seed(seed);
    return AddNoise(in, {static_cast<NoiseChannel>(v.Int(row.Params[0])), v.Int(row.Params[1]),
                         v.Int(row.Params[2]) != 0, v.Int(row.Params[3])});
  };
  return row;
}

}  // namespace

void AddToneEffects(std::vector<EffectRow>& rows) {
  for (auto make : {BrightnessRow, ContrastRow, SwitchColorsRow, GammaRow, AtmosphereRow,
                    HueSaturationRow, NoiseRow})
    rows.push_back(make());
}

}  // namespace lumarte::effects
