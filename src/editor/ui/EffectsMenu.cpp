// The Effects menu. Its items (and the Image menu's pixel operations) take
// their captions and commands from the effect table's rows; an item without a
// row is shown disabled.
#include <QMenu>
#include <QPointer>
#include <stdexcept>

#include "editor/ui/MainWindow.h"
#include "effects/model/DirectEffect.h"
#include "effects/model/EffectTable.h"
#include "effects/ui/EffectForms.h"
#include "effects/ui/InsertForms.h"
#include "effects/ui/ProgressForm.h"

namespace lumarte::editor {

void TForm1::BuildEffectsMenu() {
  QMenu* menu = AddMenu("LMEffects1", "Effects");
  // Write's "Select Color" edits the colour set here.
  effects::SetWriteColourDialog([window = QPointer<TForm1>(this)] {
    if (window) window->Guard([&] { window->EditColors(); });
  });
  AddItems(menu, {
                     EffectItem("LMBrightness1"),
                     EffectItem("LMAdjustConstrast1"),
                     EffectItem("LMGammaCorrection1"),
                     EffectItem("LMChangeHSB1"),
                     EffectItem("LMChangeColorAthmosphere1"),
                     {"LMSwitchColors2", "Switch Colors (Effect)", nullptr, {}},
                     EffectItem("LMAddNoise1"),
                     {},
                 });
  AddSubmenu(menu, "LMStandardFilter1", "Standard Filter",
             {EffectItem("LMDifferentiate1"),
              EffectItem("LMIntegrate1"),
              EffectItem("LMAntiAlias1"),
              EffectItem("LMSharpen1"),
              EffectItem("LMStrongSharpen1"),
              EffectItem("LMEdgeFilter1"),
              EffectItem("LMEdgeBuilder1"),
              EffectItem("LMDraw1"),
              EffectItem("LMEmboss1"),
              EffectItem("LMOldImage"),
              EffectItem("LMRedWax1"),
              EffectItem("LMNormalizeColors1"),
              {},
              EffectItem("LMMotionBlur1"),
              EffectItem("LMSharpen2")});
  AddItems(menu,
           {
               EffectItem("LMMovingAverage1"),
               EffectItem("LMFFT1"),
               EffectItem("LMWaveletFilter1"),
               {},
               EffectItem("LMDistort1"),
               EffectItem("LMPinchPuch1"),
               EffectItem("LMLightandDarkness1"),
               EffectItem("LMStochasticLumi1"),
               EffectItem("LMButtonize1"),
               EffectItem("LMRedEyeRemoval1"),
               EffectItem("LMWrite1"),
               {},
               EffectItem("LMMosaic1"),
               EffectItem("LMPainting1"),
               EffectItem("LMRandomPermutation1"),
               EffectItem("LMWashingMachine1"),
           });
}

QString TForm1::MenuCaption(const effects::EffectRow* row) {
  if (!row) throw std::logic_error("A menu item has neither a caption nor an effect row");
  // A single "&" in a menu caption marks the shortcut letter.
  return QString::fromStdString(row->Caption).replace("&", "&&");
}

void TForm1::ConnectEffectItem(QAction* action, const effects::EffectRow& row) {
  connect(action, &QAction::triggered, this,
          [this, r = &row] { Guard([this, r] { RunEffectCommand(*r); }); });
}

void TForm1::CheckEffectItemsPlaced() const {
  for (const auto& row : effects::EffectTable())
    for (const auto& name : row.MenuItems)
      if (!Item(name.c_str()))
        throw std::logic_error("No menu has the item \"" + name + "\" of effect \"" + row.Name +
                               "\"");
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
  form->Session.LastPressed = Selections.LastPressed;
  form->setModal(true);
  form->show();
  form->raise();
}

effects::TParamEffectForm* TForm1::EffectForm(const effects::EffectRow& row) const {
  auto it = EffectForms.find(&row);
  return it == EffectForms.end() ? nullptr : it->second.get();
}

}  // namespace lumarte::editor
