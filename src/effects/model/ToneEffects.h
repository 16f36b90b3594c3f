#pragma once
// Tone and colour adjustments: per-pixel effects on the selection.
#include <array>
#include <vector>

#include "effects/model/EffectInput.h"

namespace lumarte::effects {

struct EffectRow;

struct BrightnessParams {
  int Red = 0, Green = 0, Blue = 0;  // -100..100
  int Range = 1;                     // 0: 0.8 - 1.25, 1: 0.5 - 2, 2: 0.1 - 10
};
editor::TBitmap Brightness(const EffectInput& in, const BrightnessParams& p);

enum class ContrastChannel { AllColors, Red, Green, Blue };
struct ContrastParams {
  int Contrast = 0;    // -50..50
  int Brightness = 0;  // -50..50
  ContrastChannel Channel = ContrastChannel::AllColors;
};
editor::TBitmap Contrast(const EffectInput& in, const ContrastParams& p);

// Gamma from the dialog's track bar position 0..50: 1.3 + 2*position/50.
inline double GammaFromPosition(int position) {
  return 1.3 + 2.0 * position / 50.0;
}
editor::TBitmap GammaCorrection(const EffectInput& in, double gamma);
struct GammaParams {
  int Position = 28;  // the track bar, see GammaFromPosition
};

struct HueSaturationParams {
  int Hue = 0;         // 0..200
  int Saturation = 0;  // -100..100
  int Brightness = 0;  // -100..100
};
editor::TBitmap HueSaturation(const EffectInput& in, const HueSaturationParams& p);

// The formulas a switched channel can take, in list order.
struct SwitchFormula {
  const char* Caption;
  double Mult, R, G, B, K;
};
extern const std::array<SwitchFormula, 24> kSwitchFormulas;
struct SwitchPreset {
  const char* Caption;
  int Red, Green, Blue;
};
extern const std::array<SwitchPreset, 6> kSwitchPresets;
struct SwitchColorsParams {
  // Formula index per target channel, or -1 to keep the channel.
  int Red = 0, Green = 1, Blue = 2;
  // A preset's number from 1, replacing the three formulas; 0 for none.
  int Preset = 0;
};
editor::TBitmap SwitchColors(const EffectInput& in, const SwitchColorsParams& p);

enum class AtmosphereMode { Cold, Hot, Red, Green, Blue };
editor::TBitmap ColorAtmosphere(const EffectInput& in, AtmosphereMode mode, int intensity);
struct AtmosphereParams {
  AtmosphereMode Mode = AtmosphereMode::Cold;
  int Intensity = 19;
};

enum class NoiseChannel { All, Grey, Red, Green, Blue };
struct NoiseParams {
  NoiseChannel Channel = NoiseChannel::All;
  int Intensity = 50;  // 0..100
  bool ApplyFilter = false;
  int Filter = 50;  // 0..100
};
// The generator is seeded by the caller (the dialog with the time of day).
editor::TBitmap AddNoise(const EffectInput& in, const NoiseParams& p);

void AddToneEffects(std::vector<EffectRow>& rows);

}  // namespace lumarte::effects
