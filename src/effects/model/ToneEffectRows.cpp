// The table rows of the tone and colour adjustments.
#include "effects/model/EffectTable.h"
#include "effects/model/Random.h"
#include "effects/model/ToneEffects.h"

namespace lumarte::effects {

namespace {

using editor::TBitmap;

EffectParam Range(const char* name, const char* caption, double lo, double hi, double def) {
  return EffectParam{name, caption, lo, hi, def, {}};
}

EffectParam Choice(const char* name, const char* caption, std::vector<std::string> choices,
                   int def = 0) {
  double last = static_cast<double>(choices.size()) - 1;
  return EffectParam{name, caption, 0, last, static_cast<double>(def), std::move(choices)};
}

EffectRow BrightnessRow() {
  EffectRow row{"adjust-brightness", "Adjust Brightness", {}, RecomputePolicy::Always,
                "Brightness.html", nullptr};
  row.Params = {Range("overall", "Overall", -100, 100, 0), Range("red", "Red", -100, 100, 0),
                Range("green", "Green", -100, 100, 0), Range("blue", "Blue", -100, 100, 0),
                Choice("range", "Range", {"0.8 - 1.25", "0.5 - 2", "0.1 - 10"}, 1)};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t) {
    // "Overall" drives the three channels unless one is given on its own.
    auto channel = [&](const char* name) {
      const EffectParam& p = row.Param(name);
      return v.Has(name) ? v.Int(p) : v.Int(row.Param("overall"));
    };
    return Brightness(in, {channel("red"), channel("green"), channel("blue"),
                           v.Int(row.Param("range"))});
  };
  return row;
}

EffectRow ContrastRow() {
  EffectRow row{"adjust-contrast", "Adjust Contrast", {}, RecomputePolicy::Always,
                "Contrast.html", nullptr};
  row.Params = {Range("contrast", "Contrast", -50, 50, 0),
                Range("brightness", "Brightness", -50, 50, 0),
                Choice("channel", "Channel", {"All Colors", "Red", "Green", "Blue"})};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t) {
    return Contrast(in, {v.Int(row.Params[0]), v.Int(row.Params[1]),
                         static_cast<ContrastChannel>(v.Int(row.Params[2]))});
  };
  return row;
}

EffectRow GammaRow() {
  EffectRow row{"gamma-correction", "Gamma Correction", {}, RecomputePolicy::ReusePreview,
                "Gamma.html", nullptr};
  row.Params = {Range("gamma", "Gamma", 0, 50, 28)};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t seed) {
    Rng().Seed(seed);
    return GammaCorrection(in, GammaFromPosition(v.Int(row.Params[0])));
  };
  return row;
}

EffectRow HueSaturationRow() {
  EffectRow row{"hue-and-saturaton", "Hue and Saturaton", {}, RecomputePolicy::ReusePreview,
                "HSV.html", nullptr};
  row.Params = {Range("hue", "Hue", 0, 200, 0), Range("saturation", "Saturation", -100, 100, 0),
                Range("brightness", "Brightness", -100, 100, 0)};
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
  EffectRow row{"switch-colors", "Switch Colors", {}, RecomputePolicy::Always,
                "SwitchColors.html", nullptr};
  row.Params = {Choice("red", "Red", formulas, 0), Choice("green", "Green", formulas, 1),
                Choice("blue", "Blue", formulas, 2),
                Choice("set-parameters-to", "Set Parameters to ", presets, 0)};
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
  EffectRow row{"athmosphere", "Athmosphere", {}, RecomputePolicy::Always, "ColorAtmo.html",
                nullptr};
  row.Params = {Choice("make-image-more", "Make image more", {"cold", "hot", "red", "green", "blue"}),
                Range("intensity", "Intensity", 1, 100, 19)};
  row.Run = [row](const EffectInput& in, const ParamValues& v, uint32_t seed) {
    Rng().Seed(seed);
    return ColorAtmosphere(in, static_cast<AtmosphereMode>(v.Int(row.Params[0])),
                           v.Int(row.Params[1]));
  };
  return row;
}

EffectRow NoiseRow() {
  EffectRow row{"add-noise", "Add Noise", {}, RecomputePolicy::Always, "Noise.html", nullptr};
  row.Params = {Choice("channel", "Channel", {"all", "grey", "red", "green", "blue"}),
                Range("intensity", "Intensity", 0, 100, 50),
                Range("apply-filter", "apply filter", 0, 1, 0),
                Range("filter", "Filter Noise", 0, 100, 50)};
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
