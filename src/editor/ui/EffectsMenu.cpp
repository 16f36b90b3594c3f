// The Effects menu. Its items (and the Image menu's pixel operations) are
// bound to the effect table's rows; an item without a row is shown disabled.
#include <QMenu>

#include "editor/ui/MainWindow.h"
#include "effects/model/DirectEffect.h"
#include "effects/model/EffectTable.h"
#include "effects/ui/EffectForms.h"
#include "effects/ui/ProgressForm.h"

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

void TForm1::ConnectEffectCommands() {
  for (const auto& row : effects::EffectTable())
    for (const auto& name : row.MenuItems) {
      QAction* action = Item(name.c_str());
      if (!action) continue;
      action->setEnabled(true);
      // A sub-menu holding a working item is usable too.
      for (QObject* p = action->parent(); p; p = p->parent())
        if (auto* menu = qobject_cast<QMenu*>(p)) menu->menuAction()->setEnabled(true);
      connect(action, &QAction::triggered, this,
              [this, r = &row] { Guard([this, r] { RunEffectCommand(*r); }); });
    }
}

void TForm1::RunEffectCommand(const effects::EffectRow& row) {
  if (!Docs.Current().InUse) return;
  if (row.FormName.empty()) {
    effects::TProgress& progress = effects::TProgress::Instance();
    progress.Begin({});
    struct EndProgress {
      effects::TProgress& P;
      ~EndProgress() { P.End(); }
    } end{progress};
    const TBitmap& before = *Docs.Current().Bitmap;
    const int width = before.Width(), height = before.Height();
    effects::ApplyEffectNow(Docs, row, {}, &progress, Selections.LastPressed);
    // A command that turned the image applies the zoom again to refresh the view.
    const TBitmap& after = *Docs.Current().Bitmap;
    if (after.Width() != width || after.Height() != height) SetZoomFactor(Docs.ZoomFactor);
    return;
  }
  auto& form = EffectForms[&row];
  if (!form) form = effects::CreateEffectForm(row, Docs, this);
  form->setModal(true);
  form->show();
  form->raise();
}

effects::TParamEffectForm* TForm1::EffectForm(const effects::EffectRow& row) const {
  auto it = EffectForms.find(&row);
  return it == EffectForms.end() ? nullptr : it->second.get();
}

}  // namespace lumarte::editor
