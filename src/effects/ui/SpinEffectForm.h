#pragma once
// Effect dialogs whose numbers are spin edits without a track bar.
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

#include "effects/ui/ParamEffectForm.h"
#include "ui/Named.h"

namespace lumarte::effects {

class TSpinEffectForm : public TParamEffectForm {
 public:
  using TParamEffectForm::TParamEffectForm;

 protected:
  // The parameter's spin edit, named and bound as its row says, beside its
  // caption when it has one.
  QWidget* SpinControl(const EffectParam& p) {
    auto* spin = ui::Named(new QSpinBox(this), p.Control.c_str());
    spin->setRange(static_cast<int>(p.Min), static_cast<int>(p.Max));
    spin->setValue(static_cast<int>(p.Default));
    connect(spin, &QSpinBox::valueChanged, this, [this, &p] { ControlChanged(p); });
    Bindings[p.Name] = {[spin] { return double(spin->value()); },
                        [spin](double v) { spin->setValue(static_cast<int>(v)); }};
    if (p.Caption.empty()) return spin;
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QString::fromStdString(p.Caption), box));
    spin->setParent(box);
    row->addWidget(spin);
    row->addStretch();
    return box;
  }
};

}  // namespace lumarte::effects
