#pragma once
// The main window with a distinct pattern open, for the effect dialogs: their
// menu items are triggered as the user would.
#include <QSize>
#include <string>

#include "WindowTest.h"
#include "editor/ui/ImageView.h"
#include "effects/model/EffectTable.h"
#include "effects/ui/ParamEffectForm.h"
#include "support/DistinctPattern.h"

class EffectWindow : public WindowTest {
 protected:
  void OpenPattern(int w = 12, int h = 8) {
    window->Docs.NewImage(w, h);
    Image() = lumarte::fixtures::DistinctPattern(w, h);
    window->Docs.Current().Modified = false;
  }
  // The effect's dialog, opened from its first menu item.
  lumarte::effects::TParamEffectForm* Open(const std::string& effect) {
    const lumarte::effects::EffectRow& row = *lumarte::effects::FindEffect(effect);
    Trigger(row.MenuItems.at(0));
    return window->EffectForm(row);
  }
  lumarte::editor::TBitmap& Image() { return *window->Docs.Current().Bitmap; }
  static QSize ImageSize(const lumarte::editor::TBitmap& b) { return QSize(b.Width(), b.Height()); }
};
