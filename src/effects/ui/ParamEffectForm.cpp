#include "effects/ui/ParamEffectForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "base/Random.h"

namespace lumarte::effects {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

TParamEffectForm::TParamEffectForm(const EffectRow& row, editor::DocumentList& documents,
                                   QWidget* parent)
    : TBaseEffectForm(row, documents, parent) {}

void TParamEffectForm::BuildControls() {
  for (const auto& p : Row.Params)
    if (QWidget* w = BuildControl(p)) Controls->addWidget(w);
}

int TParamEffectForm::CaptionColumnWidth() const {
  int widest = 0;
  for (const auto& q : Row.Params)
    if (q.Kind == ControlKind::Slider || q.Kind == ControlKind::Combo)
      widest = std::max(widest, fontMetrics().horizontalAdvance(Q(q.Caption)));
  return widest;
}

// Caption, track bar and value in three columns: every slider of the dialog
// starts at the same place, and the value's field keeps its width while the
// track bar moves. A captionless slider belongs to a dialog that shows its
// value its own way.
QWidget* TParamEffectForm::BuildSlider(const EffectParam& p) {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  if (!p.Caption.empty()) {
    auto* caption = new QLabel(Q(p.Caption), box);
    caption->setFixedWidth(CaptionColumnWidth());
    row->addWidget(caption);
  }
  auto* slider = new QSlider(Qt::Horizontal, box);
  slider->setObjectName(Q(p.Control));
  slider->setRange(static_cast<int>(p.Min), static_cast<int>(p.Max));
  slider->setValue(static_cast<int>(p.Default));
  row->addWidget(slider, 1);
  const QString widest = QString::number(std::abs(p.Min) > std::abs(p.Max) ? p.Min : p.Max, 'f', 0);
  if (!p.Edit.empty()) {
    auto* spin = new QSpinBox(box);
    spin->setObjectName(Q(p.Edit));
    spin->setRange(slider->minimum(), slider->maximum());
    spin->setValue(slider->value());
    row->addWidget(spin);
    connect(slider, &QSlider::valueChanged, spin, &QSpinBox::setValue);
    connect(spin, &QSpinBox::valueChanged, slider, &QSlider::setValue);
  } else if (!p.Caption.empty()) {
    auto* value = new QLabel(QString::number(slider->value()), box);
    value->setObjectName(Q(p.Control + "Value"));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setFixedWidth(fontMetrics().horizontalAdvance(widest + "0"));
    row->addWidget(value);
    connect(slider, &QSlider::valueChanged, value,
            [value](int v) { value->setText(QString::number(v)); });
  }
  connect(slider, &QSlider::valueChanged, this, [this, &p] { ControlChanged(p); });
  Bindings[p.Name] = {[slider] { return double(slider->value()); },
                      [slider](double v) { slider->setValue(static_cast<int>(v)); }};
  return box;
}

QWidget* TParamEffectForm::BuildControl(const EffectParam& p) {
  auto changed = [this, &p] { ControlChanged(p); };
  switch (p.Kind) {
    case ControlKind::Slider:
      return BuildSlider(p);
    case ControlKind::Radio: {
      auto* group = new QGroupBox(Q(p.Caption), this);
      auto* col = new QVBoxLayout(group);
      auto* buttons = new QButtonGroup(group);
      for (size_t i = 0; i < p.Choices.size(); ++i) {
        auto* b = new QRadioButton(Q(p.Choices[i]), group);
        b->setObjectName(Q(p.ChoiceControls.at(i)));
        buttons->addButton(b, static_cast<int>(i));
        col->addWidget(b);
      }
      buttons->button(static_cast<int>(p.Default))->setChecked(true);
      connect(buttons, &QButtonGroup::idClicked, this, changed);
      Bindings[p.Name] = {[buttons] { return double(buttons->checkedId()); },
                          [buttons](double v) {
                            if (auto* b = buttons->button(static_cast<int>(v))) b->setChecked(true);
                          }};
      return group;
    }
    case ControlKind::Combo: {
      auto* box = new QWidget(this);
      auto* row = new QHBoxLayout(box);
      row->setContentsMargins(0, 0, 0, 0);
      auto* caption = new QLabel(Q(p.Caption), box);
      caption->setFixedWidth(CaptionColumnWidth());
      row->addWidget(caption);
      auto* combo = new QComboBox(box);
      combo->setObjectName(Q(p.Control));
      for (const auto& c : p.Choices) combo->addItem(Q(c));
      combo->setCurrentIndex(static_cast<int>(p.Default));
      row->addWidget(combo, 1);
      connect(combo, &QComboBox::currentIndexChanged, this, changed);
      Bindings[p.Name] = {[combo] { return double(combo->currentIndex()); },
                          [combo](double v) { combo->setCurrentIndex(static_cast<int>(v)); }};
      return box;
    }
    case ControlKind::Check: {
      auto* check = new QCheckBox(Q(p.Caption), this);
      check->setObjectName(Q(p.Control));
      check->setChecked(p.Default != 0);
      connect(check, &QCheckBox::toggled, this, changed);
      Bindings[p.Name] = {[check] { return check->isChecked() ? 1.0 : 0.0; },
                          [check](double v) { check->setChecked(v != 0); }};
      return check;
    }
    case ControlKind::Text:  // a dialog with text builds its own control
      break;
  }
  return nullptr;
}

QSpinBox* TParamEffectForm::SpinEdit(const EffectParam& p, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(Q(p.Edit.empty() ? p.Control : p.Edit));
  spin->setRange(static_cast<int>(p.Min), static_cast<int>(p.Max));
  spin->setValue(static_cast<int>(p.Default));
  connect(spin, &QSpinBox::valueChanged, this, [this, &p] { ControlChanged(p); });
  Bindings[p.Name] = {[spin] { return double(spin->value()); },
                      [spin](double v) { spin->setValue(static_cast<int>(v)); }};
  return spin;
}

ParamValues TParamEffectForm::Values() const {
  ParamValues v;
  for (const auto& [name, binding] : Bindings) v.Set(name, binding.Get());
  return v;
}

void TParamEffectForm::SetValue(const std::string& param, double value) {
  Bindings.at(param).Set(value);
}

QSlider* TParamEffectForm::Slider(const std::string& param) const {
  return findChild<QSlider*>(Q(Row.Param(param).Control));
}

uint32_t TParamEffectForm::Seed() const {
  return Rng().State;
}

editor::TBitmap TParamEffectForm::ComputeEffect(const EffectInput& in) {
  return Row.Run(in, Values(), Seed());
}

}  // namespace lumarte::effects
