// The Zoom menu: fixed factors, larger and smaller, fitting the window.
#include <algorithm>

#include <QMenu>

#include "editor/ui/ImageView.h"
#include "editor/ui/MainWindow.h"

namespace lumarte::editor {

void TForm1::BuildZoomMenu() {
  QMenu* menu = AddMenu("LMZoom1", "Zoom");
  auto factor = [this](double z) { return [this, z] { SetZoomFactor(z); }; };
  AddItems(menu, {
                     {"LMIncrease1", "Increase (+)", nullptr, Do(&TForm1::LMIncrease1Click)},
                     {"LMDecrease1", "Decrease (-)", nullptr, Do(&TForm1::LMDecrease1Click)},
                     {},
                     {"LMZoom13", "1:3", nullptr, factor(1.0 / 3)},
                     {"LMZoom12", "1:2", nullptr, factor(0.5)},
                     {"LMZoom1150", "1:1.50", nullptr, factor(2.0 / 3)},
                     {"LMZoom1125", "1:1,25", nullptr, factor(0.8)},
                     {"LMZoom11", "1:1", nullptr, factor(1.0)},
                     {"LMZoom1251", "1.25:1", nullptr, factor(1.25)},
                     {"LMZoom1501", "1.50:1", nullptr, factor(1.5)},
                     {"LMZoom21", "2:1", nullptr, factor(2.0)},
                     {"LMZoom31", "3:1", nullptr, factor(3.0)},
                     {},
                     {"LMZoomWindow1", "Zoom Window", nullptr, {}},
                     {"LMFitWindow1", "Fit Window To Image Size (&F)", nullptr,
                      [this] { FitWindowToImage(); }},
                 });
}

void TForm1::SetZoomFactor(double zoom) {
  Docs.ZoomFactor = std::max(0.001, zoom);
  View->SetZoom(Docs.ZoomFactor);
  Docs.Refresh(0);
}

void TForm1::LMIncrease1Click() {
  SetZoomFactor(std::min(20.0, Docs.ZoomFactor * 1.1));
}
void TForm1::LMDecrease1Click() {
  SetZoomFactor(std::max(0.005, Docs.ZoomFactor * 0.9));
}

}  // namespace lumarte::editor
