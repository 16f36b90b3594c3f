// The lighting dialogs: light and darkness (a dialog of its own) and
// stochastic luminance, whose groups are laid out here.
#include "effects/ui/LightingForms.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "effects/ui/LightAndDarknessForm.h"

namespace lumarte::effects {

namespace {

// Two groups of sources and the intensity. At least one group stays on and
// each group keeps at least one kind of source pixel: unchecking the last
// box of a set checks it again.
class TStochasticIlluForm : public TParamEffectForm {
 public:
  using TParamEffectForm::TParamEffectForm;

  void Build() {
    auto* groups = new QHBoxLayout;
    groups->addWidget(Group("Light Source", "light"));
    groups->addWidget(Group("Darkness Source", "darkness"));
    Controls->addLayout(groups);
    auto* target = new QGroupBox("Target Options", this);
    auto* form = new QFormLayout(target);
    const EffectParam& intensity = Row.Param("intensity");
    form->addRow(QString::fromStdString(intensity.Caption), SpinEdit(intensity, target));
    Controls->addWidget(target);
    KeepOneChecked({"light-on", "darkness-on"});
    for (const char* g : {"light", "darkness"})
      KeepOneChecked(
          {std::string(g) + "-minimum", std::string(g) + "-median", std::string(g) + "-maximum"});
    resize(520, 330);
  }

 private:
  QGroupBox* Group(const char* caption, const std::string& prefix) {
    auto* group = new QGroupBox(caption, this);
    auto* col = new QVBoxLayout(group);
    col->addWidget(BuildControl(Row.Param(prefix + "-on")));
    auto* form = new QFormLayout;
    for (const char* n : {"-rays", "-offset", "-hit-prob"}) {
      const EffectParam& p = Row.Param(prefix + n);
      form->addRow(QString::fromStdString(p.Caption), SpinEdit(p, group));
    }
    col->addLayout(form);
    col->addWidget(new QLabel("Source = Pixels close to ", group));
    for (const char* n : {"-minimum", "-median", "-maximum"})
      col->addWidget(BuildControl(Row.Param(prefix + n)));
    return group;
  }

  QCheckBox* Box(const std::string& param) const {
    return findChild<QCheckBox*>(QString::fromStdString(Row.Param(param).Control));
  }

  void KeepOneChecked(const std::vector<std::string>& params) {
    std::vector<QCheckBox*> boxes;
    for (const auto& p : params) boxes.push_back(Box(p));
    for (QCheckBox* box : boxes)
      connect(box, &QCheckBox::toggled, this, [box, boxes](bool on) {
        if (on) return;
        for (QCheckBox* b : boxes)
          if (b->isChecked()) return;
        box->setChecked(true);
      });
  }
};

}  // namespace

void AddLightingForms(EffectFormFactories& factories) {
  factories.insert({
      {"TLightAndDarknessForm", &MakeEffectForm<TLightAndDarknessForm>},
      {"TStochasticIlluForm", &MakeEffectForm<TStochasticIlluForm>},
  });
}

}  // namespace lumarte::effects
