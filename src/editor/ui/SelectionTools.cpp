// The window's side of selections and colours: the mode bar (mode icons,
// colour panel, pen width), the outline on the view, the status panels that
// follow the pointer, and what the selection commands ask of the window.
#include <chrono>

#include <QApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editor/model/Outline.h"
#include "editor/ui/SelectByColorForm.h"
#include "ui/DialogStart.h"
#include "editor/model/ProgramState.h"
#include "editor/ui/ColorPanel.h"
#include "editor/ui/ImageView.h"
#include "editor/ui/MainWindow.h"
#include "editor/ui/OutlineOverlay.h"
#include "editor/ui/ZoomForm.h"
#include "base/Random.h"
#include "effects/ui/BaseEffectForm.h"

namespace lumarte::editor {

namespace {

double WallClock() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

void TForm1::BuildSelectionTools() {
  Clock = WallClock;
  Selections.PolygonSelectAfterFreehandSelect = [] {
    return ProgramState().Settings.GetBool(kPolygonAfterFreehand);
  };
  View->MousePressed = [this](QMouseEvent* e) { ViewMousePressed(e); };
  View->MouseMoved = [this](QMouseEvent* e) { ViewMouseMoved(e); };
  View->MouseReleased = [this](QMouseEvent* e) { ViewMouseReleased(e); };
  View->Decorate = [this](QImage& frame) { DecorateFrame(frame); };

  ZoomForm1 = new TZoomForm1(this);
  ZoomForm1->SetZoom = [this](double z) {
    // The zoom window may set 0, which draws at 1.0.
    Docs.ZoomFactor = z;
    ShowCurrent();
  };
  ZoomForm1->ResizeImageControl = [this](double) { ShowCurrent(); };

  BuildModeBar();
  // The window sees keys before its controls, and effect dialogs hand theirs on.
  qApp->installEventFilter(this);
  effects::TBaseEffectForm::SetKeyForwarder([window = QPointer<TForm1>(this)](QKeyEvent* e) {
    if (window) window->FormKeyDown(e);
  });
}

void TForm1::BuildModeBar() {
  auto* bar = new QWidget;
  bar->setObjectName("ModeBar");
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(2, 1, 2, 1);
  ModeIcons = new TModeIconsPanel;
  ModeIcons->Clicked = [this](const QPoint& at) { PopupSelect->popup(at); };
  ColorImage = new TColorPanel(Colours);
  ColorImage->Clicked = [this] { Guard([this] { EditColors(); }); };
  LineWidthLabel = new TClickLabel("Pen: Width");
  LineWidthLabel->setObjectName("LineWidthLabel");
  LineWidthLabel->Clicked = ColorImage->Clicked;
  LineWidthSpinEdit = new QSpinBox;
  LineWidthSpinEdit->setObjectName("LineWidthSpinEdit");
  LineWidthSpinEdit->setRange(kPenWidthMin, kPenWidthMax);
  LineWidthSpinEdit->setValue(Colours.PenWidth);
  connect(LineWidthSpinEdit, &QSpinBox::valueChanged, this,
          [this](int w) { Colours.PenWidth = w; });
  row->addWidget(ModeIcons);
  row->addSpacing(8);
  row->addWidget(ColorImage);
  row->addSpacing(8);
  row->addWidget(LineWidthLabel);
  row->addWidget(LineWidthSpinEdit);
  row->addStretch(1);
  static_cast<QVBoxLayout*>(centralWidget()->layout())->insertWidget(1, bar);
}

// Runs after every refresh of the current document: its selection may be
// another one now.
void TForm1::SelectionRefreshed() {
  ModeChanged();
  Selections.UpdateSelectionStatus();
  OutlineShown = !Selections.Selection().NothingSelected();
}

void TForm1::ColoursChanged() {
  LineWidthSpinEdit->setValue(Colours.PenWidth);
  ColorImage->update();
}

void TForm1::ShowPointer(int x, int y) {
  StatusPanels[1]->setText(QString::fromStdString(XPanelText(x)));
  StatusPanels[2]->setText(QString::fromStdString(YPanelText(y)));
  Selections.StatusPoint = {x, y};
  const TBitmap& raster = Docs.DisplayedRaster();
  if (!raster.Contains(x, y)) return;
  const TColor c = raster.Pixel(x, y);
  StatusPanels[3]->setText(QString::fromStdString(RGBPanelText(c)));
  ColorImage->SetPointerColour(c);
}

void TForm1::DecorateFrame(QImage& frame) {
  if (!OutlineShown) return;
  TViewport viewport{Docs.ZoomFactor, View->ScrollX(), View->ScrollY(), frame.width(),
                     frame.height()};
  PaintOutline(frame, OutlinePoints(Selections.Selection(), viewport));
}

// ---- SelectionView ----

void TForm1::EraseOutline() {
  OutlineShown = false;
  View->viewport()->update();
}

void TForm1::DrawOutline() {
  OutlineShown = true;
  View->viewport()->update();
}

void TForm1::ShowSelectionStatus(const std::string& text) {
  StatusPanels[4]->setText(QString::fromStdString(text));
}

void TForm1::ModeChanged() {
  const TSelectionClass& sel = Selections.Selection();
  for (QAction* a : findChildren<QAction*>()) {
    QVariant kind = a->property("lumarteKind");
    if (kind.isValid()) a->setChecked(kind.toInt() == sel.Kind && !sel.ByColor);
    if (a->property("lumarteByColor").isValid()) a->setChecked(sel.ByColor);
  }
  ModeIcons->SetIcons(lumarte::editor::ModeIcons(sel));
}

void TForm1::ImageResized() {
  FitWindowToImage();
}

void TForm1::Redraw() {
  View->Redraw();
}

void TForm1::ShowPopupMenu() {
  PopupMenu1->popup(QCursor::pos());
}

void TForm1::SetDragCursor(bool drag) {
  View->viewport()->setCursor(drag ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

double TForm1::Now() {
  return Clock();
}

void TForm1::RunSelectByColorDialog() {
  if (!SelectByColorForm) SelectByColorForm = new TSelectByColorForm(Docs.SelectByColor, this);
  ui::ExecFromFirstInput(*SelectByColorForm);
}

uint32_t TForm1::RandomBelow(uint32_t n) {
  return lumarte::Rng().Below(n);
}

}  // namespace lumarte::editor
