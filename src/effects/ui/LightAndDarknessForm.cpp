#include "effects/ui/LightAndDarknessForm.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/Random.h"
#include "base/Rounding.h"
#include "effects/ui/LightVisualization.h"

namespace lumarte::effects {

namespace {

const char* const kLightStyleNames[] = {"Light", "Darkness", "Light avg.", "Darkness avg."};
const char* const kBarrierStyleNames[] = {"Line", "Arc"};

QString ListText(const char* const (&names)[4], int style) {
  return style >= 0 && style < 4 ? names[style] : "";
}

QString BarrierText(int style) {
  return style >= 0 && style < 2 ? kBarrierStyleNames[style] : "";
}

QSpinBox* NewSpin(const char* name, int lo, int hi, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(lo, hi);
  return spin;
}

QComboBox* NewCombo(const char* name, const QStringList& items, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->addItems(items);
  return combo;
}

QPushButton* NewButton(const char* name, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

// A field of T shown as its value times scale (the factor in thousandths).
template <class T, class M>
std::pair<std::function<int(const T&)>, std::function<void(T&, int)>> Member(M T::*m,
                                                                             double scale = 1) {
  return {[m, scale](const T& t) { return static_cast<int>(Round(t.*m * scale)); },
          [m, scale](T& t, int v) { t.*m = static_cast<M>(v / scale); }};
}

constexpr int kCoord = kLightCoordinateLimit;

}  // namespace

TLightAndDarknessForm::TLightAndDarknessForm(const EffectRow& row, editor::DocumentList& documents,
                                             QWidget* parent)
    : TParamEffectForm(row, documents, parent), Docs(documents) {}

void TLightAndDarknessForm::Build() {
  auto* body = new QWidget(this);
  auto* columns = new QHBoxLayout(body);
  columns->setContentsMargins(0, 0, 0, 0);
  // Three columns keep the dialog low enough for small screens.
  auto* sources = new QVBoxLayout;
  sources->addWidget(BuildLightGroup());
  sources->addStretch();
  auto* barriers = new QVBoxLayout;
  barriers->addWidget(BuildBarrierGroup());
  barriers->addWidget(BuildGlobalGroup());
  barriers->addStretch();
  columns->addLayout(sources);
  columns->addLayout(barriers);
  columns->addWidget(BuildVisualizationGroup(), 1);
  Controls->addWidget(body);
  ShowLists();
  resize(1000, 520);
}

QGroupBox* TLightAndDarknessForm::BuildLightGroup() {
  auto* group = new QGroupBox("Light Sources", this);
  auto* col = new QVBoxLayout(group);
  LightListBox = new QListWidget(group);
  LightListBox->setObjectName("LightListBox");
  LightListBox->setMaximumHeight(80);
  col->addWidget(LightListBox);
  auto* buttons = new QHBoxLayout;
  AddLightButton = NewButton("AddLightButton", "Add", group);
  DeleteLightButton = NewButton("DeleteLightButton", "Delete", group);
  buttons->addWidget(AddLightButton);
  buttons->addWidget(DeleteLightButton);
  col->addLayout(buttons);
  LightEdits = new QWidget(group);
  auto* form = new QFormLayout(LightEdits);
  form->setContentsMargins(0, 0, 0, 0);
  struct FieldRow {
    const char *Caption, *Name;
    int Min, Max;
    std::pair<std::function<int(const TLight&)>, std::function<void(TLight&, int)>> Access;
  };
  const FieldRow rows[] = {
      {"x", "LightXSpinEdit", -kCoord, kCoord, Member(&TLight::X)},
      {"y", "LightYSpinEdit", -kCoord, kCoord, Member(&TLight::Y)},
      {"Width", "LightWidthSpinEdit", 0, kLightWidthMax, Member(&TLight::Width)},
      {"Max.Dist.", "LightMaxDistSpinEdit", -1, kLightWidthMax, Member(&TLight::MaxDistance)},
      {"Red (%)", "LightRedSpinEdit", 0, 100, Member(&TLight::Red)},
      {"Green (%)", "LightGreenSpinEdit", 0, 100, Member(&TLight::Green)},
      {"Blue (%)", "LightBlueSpinEdit", 0, 100, Member(&TLight::Blue)},
      {"Factor", "LightFactorSpinEdit", 1, kLightFactorMax, Member(&TLight::Factor, 1000)}};
  for (const FieldRow& r : rows) {
    QSpinBox* spin = NewSpin(r.Name, r.Min, r.Max, LightEdits);
    LightFields.push_back({spin, r.Access.first, r.Access.second});
    connect(spin, &QSpinBox::valueChanged, this, [this] { TakeLight(); });
    if (r.Name == std::string("LightFactorSpinEdit")) {
      auto* line = new QHBoxLayout;
      line->addWidget(spin, 1);
      line->addWidget(new QLabel("/1000", LightEdits));
      form->addRow(r.Caption, line);
    } else {
      form->addRow(r.Caption, spin);
    }
  }
  LightStyleComboBox = NewCombo(
      "LightStyleComboBox", {"Light", "Darkness", "Light (avg.)", "Darkness (avg.)"}, LightEdits);
  LightFunctionComboBox = NewCombo(
      "LightFunctionComboBox",
      {"Constant", "Linear", "Quadratic", "Exponential", "Sigmoid", "Sine ", "Sine 2"}, LightEdits);
  form->addRow("Style", LightStyleComboBox);
  form->addRow("Function", LightFunctionComboBox);
  for (QComboBox* combo : {LightStyleComboBox, LightFunctionComboBox})
    connect(combo, &QComboBox::currentIndexChanged, this, [this] { TakeLight(); });
  col->addWidget(LightEdits);
  connect(LightListBox, &QListWidget::currentRowChanged, this, [this] { ShowLight(); });
  connect(AddLightButton, &QPushButton::clicked, this, [this] { AddLightClick(); });
  connect(DeleteLightButton, &QPushButton::clicked, this, [this] { DeleteLightClick(); });
  return group;
}

QGroupBox* TLightAndDarknessForm::BuildBarrierGroup() {
  auto* group = new QGroupBox("Barriers", this);
  auto* col = new QVBoxLayout(group);
  BarrierListBox = new QListWidget(group);
  BarrierListBox->setObjectName("BarrierListBox");
  BarrierListBox->setMaximumHeight(60);
  col->addWidget(BarrierListBox);
  auto* buttons = new QHBoxLayout;
  AddBarrierButton = NewButton("AddBarrierButton", "Add", group);
  DeleteBarrierButton = NewButton("DeleteBarrierButton", "Delete", group);
  buttons->addWidget(AddBarrierButton);
  buttons->addWidget(DeleteBarrierButton);
  col->addLayout(buttons);
  BarrierEdits = new QWidget(group);
  auto* form = new QFormLayout(BarrierEdits);
  form->setContentsMargins(0, 0, 0, 0);
  struct FieldRow {
    const char *Caption, *Name;
    int Min, Max;
    std::pair<std::function<int(const TBarrier&)>, std::function<void(TBarrier&, int)>> Access;
  };
  const FieldRow rows[] = {
      {"x1", "BarrierX1SpinEdit", -kCoord, kCoord, Member(&TBarrier::X1)},
      {"y1", "BarrierY1SpinEdit", -kCoord, kCoord, Member(&TBarrier::Y1)},
      {"x2", "BarrierX2SpinEdit", -kCoord, kCoord, Member(&TBarrier::X2)},
      {"y2", "BarrierY2SpinEdit", -kCoord, kCoord, Member(&TBarrier::Y2)},
      {"filters Red (%)", "BarrierRedSpinEdit", 0, 100, Member(&TBarrier::Red)},
      {"filters Green (%)", "BarrierGreenSpinEdit", 0, 100, Member(&TBarrier::Green)},
      {"filters Blue (%)", "BarrierBlueSpinEdit", 0, 100, Member(&TBarrier::Blue)}};
  for (const FieldRow& r : rows) {
    QSpinBox* spin = NewSpin(r.Name, r.Min, r.Max, BarrierEdits);
    BarrierFields.push_back({spin, r.Access.first, r.Access.second});
    connect(spin, &QSpinBox::valueChanged, this, [this] { TakeBarrier(); });
    form->addRow(r.Caption, spin);
  }
  BarrierStyleComboBox = NewCombo("BarrierStyleComboBox", {"Line"}, BarrierEdits);
  form->addRow("Style", BarrierStyleComboBox);
  col->addWidget(BarrierEdits);
  connect(BarrierListBox, &QListWidget::currentRowChanged, this, [this] { ShowBarrier(); });
  connect(AddBarrierButton, &QPushButton::clicked, this, [this] { AddBarrierClick(); });
  connect(DeleteBarrierButton, &QPushButton::clicked, this, [this] { DeleteBarrierClick(); });
  return group;
}

QGroupBox* TLightAndDarknessForm::BuildGlobalGroup() {
  auto* group = new QGroupBox("Global Parameters", this);
  auto* col = new QVBoxLayout(group);
  auto* line = new QHBoxLayout;
  const EffectParam& factor = Row.Param("factor");
  line->addWidget(new QLabel(QString::fromStdString(factor.Caption), group));
  line->addWidget(SpinEdit(factor, group), 1);
  line->addWidget(new QLabel("/1000", group));
  col->addLayout(line);
  col->addWidget(BuildControl(Row.Param("normalize")));
  return group;
}

QGroupBox* TLightAndDarknessForm::BuildVisualizationGroup() {
  auto* group = new QGroupBox("Visualization (use your mouse)", this);
  auto* col = new QVBoxLayout(group);
  Visualization = new TLightVisualization(Lights, Barriers, group);
  col->addWidget(Visualization, 1);
  auto* line = new QHBoxLayout;
  ZoomInButton = NewButton("ZoomInButton", "+", group);
  ZoomOutButton = NewButton("ZoomOutButton", "-", group);
  ResetButton = NewButton("ResetButton", "Reset", group);
  PositionLabel = new QLabel("X: 0 Y: 0", group);
  PositionLabel->setObjectName("PositionLabel");
  for (QWidget* w : {static_cast<QWidget*>(ZoomInButton), static_cast<QWidget*>(ZoomOutButton),
                     static_cast<QWidget*>(ResetButton)})
    line->addWidget(w);
  line->addWidget(PositionLabel, 1);
  col->addLayout(line);
  connect(ZoomInButton, &QPushButton::clicked, this, [this] { Visualization->ZoomIn(); });
  connect(ZoomOutButton, &QPushButton::clicked, this, [this] { Visualization->ZoomOut(); });
  connect(ResetButton, &QPushButton::clicked, this, [this] { Visualization->Reset(); });
  Visualization->MouseMoved = [this](QPoint p) {
    PositionLabel->setText(QString("X: %1 Y: %2").arg(p.x()).arg(p.y()));
  };
  Visualization->Picked = [this](TLightHandle h) {
    const bool light = h.Kind == TLightHandle::Centre || h.Kind == TLightHandle::Reach;
    (light ? LightListBox : BarrierListBox)->setCurrentRow(h.Index);
  };
  Visualization->Dragged = [this] {
    ShowLight();
    ShowBarrier();
    Session.Invalidate();
  };
  return group;
}

void TLightAndDarknessForm::ShowLists() {
  Showing = true;
  const int light = LightListBox->currentRow(), barrier = BarrierListBox->currentRow();
  LightListBox->clear();
  for (const TLight& l : Lights) LightListBox->addItem(ListText(kLightStyleNames, l.Style));
  BarrierListBox->clear();
  for (const TBarrier& b : Barriers) BarrierListBox->addItem(BarrierText(b.Style));
  LightListBox->setCurrentRow(std::min(light, LightListBox->count() - 1));
  BarrierListBox->setCurrentRow(std::min(barrier, BarrierListBox->count() - 1));
  Showing = false;
  ShowLight();
  ShowBarrier();
  Visualization->update();
}

void TLightAndDarknessForm::ShowLight() {
  const int i = LightListBox->currentRow();
  const bool any = i >= 0 && i < static_cast<int>(Lights.size());
  LightEdits->setEnabled(any);
  DeleteLightButton->setEnabled(any);
  if (!any) return;
  Showing = true;
  const TLight& l = Lights[static_cast<size_t>(i)];
  for (const auto& f : LightFields) f.Spin->setValue(f.Get(l));
  LightStyleComboBox->setCurrentIndex(l.Style);
  LightFunctionComboBox->setCurrentIndex(l.Function + 1);
  Showing = false;
}

void TLightAndDarknessForm::ShowBarrier() {
  const int i = BarrierListBox->currentRow();
  const bool any = i >= 0 && i < static_cast<int>(Barriers.size());
  BarrierEdits->setEnabled(any);
  DeleteBarrierButton->setEnabled(any);
  if (!any) return;
  Showing = true;
  const TBarrier& b = Barriers[static_cast<size_t>(i)];
  for (const auto& f : BarrierFields) f.Spin->setValue(f.Get(b));
  BarrierStyleComboBox->setCurrentIndex(b.Style);
  Showing = false;
}

void TLightAndDarknessForm::TakeLight() {
  const int i = LightListBox->currentRow();
  if (Showing || i < 0 || i >= static_cast<int>(Lights.size())) return;
  TLight& l = Lights[static_cast<size_t>(i)];
  for (const auto& f : LightFields) f.Set(l, f.Spin->value());
  l.Style = LightStyleComboBox->currentIndex();
  l.Function = LightFunctionComboBox->currentIndex() - 1;
  LightListBox->item(i)->setText(ListText(kLightStyleNames, l.Style));
  ItemsChanged();
}

void TLightAndDarknessForm::TakeBarrier() {
  const int i = BarrierListBox->currentRow();
  if (Showing || i < 0 || i >= static_cast<int>(Barriers.size())) return;
  TBarrier& b = Barriers[static_cast<size_t>(i)];
  for (const auto& f : BarrierFields) f.Set(b, f.Spin->value());
  ItemsChanged();
}

void TLightAndDarknessForm::ItemsChanged() {
  Visualization->update();
  Session.Invalidate();
}

void TLightAndDarknessForm::AddLightClick() {
  const editor::TBitmap& image = *Docs.Current().Bitmap;
  Lights.push_back(NewLight(image.Width(), image.Height(), Rng()));
  ShowLists();
  LightListBox->setCurrentRow(static_cast<int>(Lights.size()) - 1);
  Session.Invalidate();
}

void TLightAndDarknessForm::DeleteLightClick() {
  const int i = LightListBox->currentRow();
  if (i < 0 || i >= static_cast<int>(Lights.size())) return;
  Lights.erase(Lights.begin() + i);
  ShowLists();
  Session.Invalidate();
}

void TLightAndDarknessForm::AddBarrierClick() {
  const editor::TBitmap& image = *Docs.Current().Bitmap;
  Barriers.push_back(NewBarrier(image.Width(), image.Height(), Rng()));
  ShowLists();
  BarrierListBox->setCurrentRow(static_cast<int>(Barriers.size()) - 1);
  Session.Invalidate();
}

void TLightAndDarknessForm::DeleteBarrierClick() {
  const int i = BarrierListBox->currentRow();
  if (i < 0 || i >= static_cast<int>(Barriers.size())) return;
  Barriers.erase(Barriers.begin() + i);
  ShowLists();
  Session.Invalidate();
}

editor::TBitmap TLightAndDarknessForm::ComputeEffect(const EffectInput& in) {
  LightAndDarknessParams p;
  StoreParams(Row, Values(), &p);
  p.Lights = Lights;
  p.Barriers = Barriers;
  return LightAndDarkness(in, p, Seed());
}

void TLightAndDarknessForm::showEvent(QShowEvent* e) {
  TParamEffectForm::showEvent(e);
  Visualization->SetImage(*Docs.Current().Bitmap);
  // A dialog without sources would only darken the image to black.
  if (Lights.empty()) AddLightClick();
  Visualization->Reset();
}

}  // namespace lumarte::effects
