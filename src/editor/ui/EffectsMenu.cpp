// The Effects menu. Each effect arrives with its dialog or operation; until
// then its item is shown disabled.
#include <QMenu>

#include "editor/ui/MainWindow.h"

namespace lumarte::editor {

void TForm1::BuildEffectsMenu() {
  QMenu* menu = AddMenu("LMEffects1", "Effects");
  AddItems(menu, {
                     {"LMBrightness1", "Adjust Brightness", nullptr, {}},
                     {"LMAdjustConstrast1", "Adjust Contrast", nullptr, {}},
                     {"LMGammaCorrection1", "Gamma Correction", nullptr, {}},
                     {"LMChangeHSB1", "Hue and Saturaton", nullptr, {}},
                     {"LMChangeColorAthmosphere1", "Athmosphere", nullptr, {}},
                     {"LMSwitchColors2", "Switch Colors (Effect)", nullptr, {}},
                     {"LMAddNoise1", "Add Noise", nullptr, {}},
                     {},
                 });
  AddSubmenu(menu, "LMStandardFilter1", "Standard Filter",
             {{"LMDifferentiate1", "Differentiate", nullptr, {}},
              {"LMIntegrate1", "Integrate", nullptr, {}},
              {"LMAntiAlias1", "Anti Alias", nullptr, {}},
              {"LMSharpen1", "Simple Sharpen", nullptr, {}},
              {"LMStrongSharpen1", "Strong Sharpen", nullptr, {}},
              {"LMEdgeFilter1", "Edge Filter", nullptr, {}},
              {"LMEdgeBuilder1", "Edge Builder", nullptr, {}},
              {"LMDraw1", "Drawing", nullptr, {}},
              {"LMEmboss1", "Emboss", nullptr, {}},
              {"LMOldImage", "Old Image", nullptr, {}},
              {"LMRedWax1", "Red Wax", nullptr, {}},
              {"LMNormalizeColors1", "Normalize Colors", nullptr, {}},
              {},
              {"LMMotionBlur1", "Motion Blur", nullptr, {}},
              {"LMSharpen2", "Sharpen", nullptr, {}}});
  AddItems(menu,
           {
               {"LMMovingAverage1", "Moving Average (Unsharpen and Edge Detection)", nullptr, {}},
               {"LMFFT1", "Fourier Transform", nullptr, {}},
               {"LMWaveletFilter1", "Wavelet Transform", nullptr, {}},
               {},
               {"LMDistort1", "Distortion", nullptr, {}},
               {"LMPinchPuch1", "Pinch && Punch", nullptr, {}},
               {"LMLightandDarkness1", "Light and Darkness", nullptr, {}},
               {"LMStochasticLumi1", "Stochastic Luminance", nullptr, {}},
               {"LMButtonize1", "Buttonize && Posterize", nullptr, {}},
               {"LMRedEyeRemoval1", "Red Eye Removal", nullptr, {}},
               {"LMWrite1", "Write", nullptr, {}},
               {},
               {"LMMosaic1", "Mosaic", nullptr, {}},
               {"LMPainting1", "Painting (water color)", nullptr, {}},
               {"LMRandomPermutation1", "Random Permutation", nullptr, {}},
               {"LMWashingMachine1", "Washing Machine", nullptr, {}},
           });
}

}  // namespace lumarte::editor
