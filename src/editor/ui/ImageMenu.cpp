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
                     {"LMEnlargeCanvas1"},
                     {"LMRotateandMirror1"},
                 });
  AddSubmenu(menu, "LMRotateAll1", "Rotate All 90\u00B0",
             {{"LMRotateLeft1"}, {"LMRotateRight1"}});
  AddSubmenu(menu, "LMFlip1", "Flip",
             {{"LMVertical1"},
              {"LMHorizontal1"},
              {"LMDiagonalUp"},
              {"LMDiagonalDown"}});
  AddSubmenu(
      menu, "LMColors1", "Colors",
      {{"LMEditColors1", "Edit Colors", nullptr, Do(&TForm1::LMEditColors1Click)},
       {},
       {"LMNegativeImage1"},
       {"LMGrayscale1"},
       {"LMColorize1"},
       {"LMSwitchColors1"},
       {},
       {"LMColororTCIColor1"},
       {"LMTCITransparentColor1"},
       {"LMBGColorFGColor1"}});
  AddItems(
      menu,
      {
          {},
          {"LMFillSelection1"},
          {"LMPaintBorderofSelection1"},
      });
  AddSubmenu(menu, "LMFloodfill1", "Floodfill (with BG Color)",
             {{"LMFillwithFGcoloraslongaspixelsareofBGcolor1"},
              {"LMFillareawithFGcolor1"}});
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
