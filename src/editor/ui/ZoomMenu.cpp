// The Zoom menu: fixed factors, larger and smaller, fitting the window.
#include <QMenu>

#include "editor/model/ZoomStatus.h"
#include "editor/ui/ImageView.h"
#include "editor/ui/MainWindow.h"
#include "editor/ui/ZoomForm.h"

namespace lumarte::editor {

void TForm1::BuildZoomMenu() {
  QMenu* menu = AddMenu("LMZoom1", "Zoom");
  auto factor = [this](double z) { return [this, z] { SetZoomFactor(z); }; };
  const char* const names[] = {"LMZoom13",   "LMZoom12",   "LMZoom1150", "LMZoom1125", "LMZoom11",
                               "LMZoom1251", "LMZoom1501", "LMZoom21",   "LMZoom31"};
  std::vector<TMenuItem> items{
      {"LMIncrease1", "Increase (+)", nullptr, Do(&TForm1::LMIncrease1Click)},
      {"LMDecrease1", "Decrease (-)", nullptr, Do(&TForm1::LMDecrease1Click)},
      {}};
  for (size_t i = 0; i < kZoomMenu.size(); ++i)
    items.push_back({names[i], kZoomMenu[i].Caption, nullptr, factor(kZoomMenu[i].Factor)});
  items.push_back({});
  items.push_back({"LMZoomWindow1", "Zoom Window", nullptr, Do(&TForm1::LMZoomWindow1Click)});
  items.push_back(
      {"LMFitWindow1", "Fit Window To Image Size (&F)", nullptr, [this] { FitWindowToImage(); }});
  AddItems(menu, items);
}

// Menu commands and keys keep the factor at 0.001 or more.
void TForm1::SetZoomFactor(double zoom) {
  Docs.ZoomFactor = LimitZoom(zoom);
  View->SetZoom(Docs.ZoomFactor);
  Docs.Refresh(0);
}

void TForm1::LMIncrease1Click() {
  SetZoomFactor(ZoomIn(Docs.ZoomFactor));
}
void TForm1::LMDecrease1Click() {
  SetZoomFactor(ZoomOut(Docs.ZoomFactor));
}
void TForm1::LMZoomWindow1Click() {
  ZoomForm1->ShowOn(Docs.ZoomFactor);
}

}  // namespace lumarte::editor
