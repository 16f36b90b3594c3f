// The Image menu. Image Information, the colour dialog, Resize and the RGB
// split work here; the pixel operations, Rotate and Enlarge Canvas are bound
// to their effect rows (EffectsMenu.cpp).
#include <QMenu>
#include <QPointer>

#include "ui/ApplyLanguage.h"
#include "editor/ui/ImageView.h"
#include "editor/ui/MainWindow.h"
#include "effects/ui/ResizeForm.h"
#include "effects/ui/TransformForms.h"

namespace lumarte::editor {

namespace {

// Opens the Resize dialog (made once, kept with the window) on an open image.
void LMResize2Click(TForm1& window) {
  if (!window.Docs.Current().InUse) return;
  auto* form = window.findChild<effects::TResizeForm*>("TResizeForm");
  if (!form) {
    form = new effects::TResizeForm(
        window.Docs, [&window] { return window.View->ZoomedSize(); }, &window);
    ui::ApplyLanguageToForm(form);  // made after the language file was read
  }
  form->setModal(true);
  form->show();
  form->raise();
}

}  // namespace

void TForm1::BuildImageMenu() {
  QMenu* menu = AddMenu("LMImage1", "Image");
  // The rotate dialog's ">> Select Colors" edits the colour interval here.
  effects::SetRotateColourDialog([window = QPointer<TForm1>(this)] {
    if (window) window->Guard([&] { window->EditColors(); });
  });
  AddItems(menu, {
                     {"LMImageInformation1", "Image Information", "Ctrl+I",
                      Do(&TForm1::LMImageInformation1Click)},
                     {},
                     {"LMResize2", "Resize", "Ctrl+R",
                      [this] { Guard([this] { LMResize2Click(*this); }); }},
                     EffectItem("LMEnlargeCanvas1"),
                     EffectItem("LMRotateandMirror1"),
                 });
  AddSubmenu(menu, "LMRotateAll1", "Rotate All 90\u00B0",
             {EffectItem("LMRotateLeft1"), EffectItem("LMRotateRight1")});
  AddSubmenu(menu, "LMFlip1", "Flip",
             {EffectItem("LMVertical1"),
              EffectItem("LMHorizontal1"),
              EffectItem("LMDiagonalUp"),
              EffectItem("LMDiagonalDown")});
  AddSubmenu(
      menu, "LMColors1", "Colors",
      {{"LMEditColors1", "Edit Colors", nullptr, Do(&TForm1::LMEditColors1Click)},
       {},
       EffectItem("LMNegativeImage1"),
       EffectItem("LMGrayscale1"),
       EffectItem("LMColorize1"),
       EffectItem("LMSwitchColors1"),
       {},
       EffectItem("LMColororTCIColor1"),
       EffectItem("LMTCITransparentColor1"),
       EffectItem("LMBGColorFGColor1")});
  AddItems(
      menu,
      {
          {},
          EffectItem("LMFillSelection1"),
          EffectItem("LMPaintBorderofSelection1"),
      });
  AddSubmenu(menu, "LMFloodfill1", "Floodfill (with BG Color)",
             {EffectItem("LMFillwithFGcoloraslongaspixelsareofBGcolor1"),
              EffectItem("LMFillareawithFGcolor1")});
  AddItems(menu, {
                     {},
                     {"LMRGBSplitImage1", "Split colors (RGB) of the image into 3 images", nullptr,
                      Do(&TForm1::LMRGBSplitImage1Click)},
                 });
}

void TForm1::LMImageInformation1Click() {
  Files.LMImageInformation1Click();
}

void TForm1::LMEditColors1Click() {
  EditColors();
}

void TForm1::LMRGBSplitImage1Click() {
  if (!Docs.Current().InUse) return;
  Docs.LMRGBSplitImage1Click();
}

}  // namespace lumarte::editor
