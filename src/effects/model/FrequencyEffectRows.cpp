// The table rows of the Fourier transform and wavelet dialogs.
#include "effects/model/EffectTable.h"
#include "effects/model/FrequencyEffects.h"

namespace lumarte::effects {

namespace {

EffectRow FourierRow() {
  using P = FourierParams;
  auto check = [](const char* caption, const char* control) {
    return EffectParam{.Caption = caption, .Kind = ControlKind::Check, .Control = control};
  };
  return Effect<P>(
      {.Caption = "Fourier Transform",
       .FormName = "TFourierTransformForm",
       .FormCaption = "Fourier Transform",
       .Params =
           {Field(&P::CutOff, {.Caption = "Cut-Off", .Min = 1, .Max = 100, .Default = 40,
                               .Control = "TrackBar1", .Edit = "SpinEdit1"}),
            Field(&P::Slope, {.Caption = "Slope", .Min = 1, .Max = 100, .Default = 20,
                              .Control = "TrackBar2", .Edit = "SpinEdit2"}),
            Field(&P::Orientation,
                  {.Caption = "Orientation",
                   .Default = 2,
                   .Choices = {"vertical", "horizontal", "2-dimensional"},
                   .ChoiceControls = {"VerticalRadioButton", "HorizontalRadioButton",
                                      "TwoDimRadioButton"}}),
            Field(&P::Type, {.Caption = "Filter Type",
                             .Choices = {"Low Pass", "High Pass", "Band Reject", "Band Pass"},
                             .ChoiceControls = {"LowPassRadioButton", "HighPassRadioButton",
                                                "BandRejectRadioButton", "BandPassRadioButton"}}),
            Field(&P::DisplaySpectrum, check("display Spectrum", "displayCoeffsCheckbox")),
            Field(&P::Normalize, check("Normalize", "NormalizeCheckbox")),
            Field(&P::WeirdEffect, check("Weird Effect", "SwapSignCheckbox"))},
       .Policy = RecomputePolicy::ReusePreview,
       .HelpPage = "Filters.html",
       .MenuItems = {"LMFFT1"}},
      [](const EffectInput& in, const P& p, uint32_t) { return FourierTransformFilter(in, p); });
}

EffectRow WaveletRow() {
  using P = WaveletParams;
  return Effect<P>(
      {.Caption = "Wavelet Transform",
       .FormName = "TWaveletForm",
       .FormCaption = "Wavelet Transform",
       .Params = {Field(&P::Wavelet, {.Caption = "Mother Wavelet",
                                      .Choices = {"Hat", "Haar             (squared areas)"},
                                      .Control = "MotherWaveletComboBox"}),
                  Field(&P::Iterations, {.Caption = "Iterations", .Min = 1, .Max = 20,
                                         .Default = 1, .Control = "IterationsEdit"}),
                  Field(&P::Orientation,
                        {.Caption = "Orientation",
                         .Default = 2,
                         .Choices = {"horizontal", "vertical", "2-dimensional"},
                         .ChoiceControls = {"HorizontalRadioButton", "VerticalRadioButton",
                                            "TwoDimRadioButton"}}),
                  Field(&P::Filter,
                        {.Caption = "Filter",
                         .Choices = {"As Low Pass", "As High Pass", "Single Wavelet Space"},
                         .ChoiceControls = {"AsLowPassRadioButton", "AsHighPassRadioButton",
                                            "AsSingleWaveletSpaceRadioButton"}})},
       .Policy = RecomputePolicy::ReusePreview,
       .HelpPage = "Filters.html",
       .MenuItems = {"LMWaveletFilter1"}},
      [](const EffectInput& in, const P& p, uint32_t) { return WaveletTransformFilter(in, p); });
}

}  // namespace

void AddFrequencyEffects(std::vector<EffectRow>& rows) {
  rows.push_back(FourierRow());
  rows.push_back(WaveletRow());
}

}  // namespace lumarte::effects
