// The tone and colour adjustment dialogs: what each adds to the controls its
// table row describes.
#include "effects/ui/ToneForms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTime>
#include <QVBoxLayout>
#include <cmath>

#include "effects/model/ToneEffects.h"

namespace lumarte::effects {

namespace {

// Moving "Overall" (or typing into its edit) sets the three channels.
class TBrightnessForm : public TParamEffectForm {
 public:
  using TParamEffectForm::TParamEffectForm;
  void Build() {
    BuildControls();
    auto drive = [this](int v) {
      for (const char* c : {"red", "green", "blue"}) SetValue(c, v);
    };
    connect(Slider("overall"), &QSlider::sliderMoved, this, drive);
    connect(findChild<QSpinBox*>("Edit1"), &QSpinBox::valueChanged, this, [this, drive](int v) {
      if (findChild<QSpinBox*>("Edit1")->hasFocus()) drive(v);
    });
    connect(Slider("overall"), &QSlider::valueChanged, this, [this, drive](int v) {
      if (Slider("overall")->hasFocus()) drive(v);
    });
  }
};

class TGammaCorrectionForm : public TParamEffectForm {
 public:
  using TParamEffectForm::TParamEffectForm;
  QLabel* Label1 = nullptr;
  void Build() {
    BuildControls();
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Controls->addWidget(Label1);
    ShowGamma();
  }

 protected:
  void ControlChanged(const EffectParam& p) override {
    TParamEffectForm::ControlChanged(p);
    ShowGamma();
  }

 private:
  void ShowGamma() {
    if (!Label1) return;
    double g = GammaFromPosition(static_cast<int>(Values().Get(Row.Param("gamma"))));
    Label1->setText(QString::number(g, 'f', 2) + " (values from 1.3 to 3.3)");
  }
};

// Each track bar's value beside its caption; "Reset" puts all three to 0.
class THSVForm : public TParamEffectForm {
 public:
  using TParamEffectForm::TParamEffectForm;
  void Build() {
    BuildControls();
    auto* reset = new QPushButton("Reset", this);
    reset->setObjectName("Button1");
    Controls->addWidget(reset, 0, Qt::AlignLeft);
    connect(reset, &QPushButton::clicked, this, [this] {
      for (const auto& p : Row.Params) SetValue(p.Name, 0);
    });
  }
};

// A check box per target channel beside its formula list; the preset list
// fills the three lists.
class TSwitchColorsForm : public TParamEffectForm {
 public:
  using TParamEffectForm::TParamEffectForm;
  void Build() {
    BuildControls();
    auto* presets = findChild<QComboBox*>("ComboBox4");
    connect(presets, &QComboBox::activated, this, [this](int i) {
      if (i <= 0) return;
      const SwitchPreset& s = kSwitchPresets[static_cast<size_t>(i - 1)];
      SetValue("red", s.Red);
      SetValue("green", s.Green);
      SetValue("blue", s.Blue);
    });
  }

 protected:
  QWidget* BuildControl(const EffectParam& p) override {
    if (p.Name == "set-parameters-to") return TParamEffectForm::BuildControl(p);
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* check = new QCheckBox(QString::fromStdString(p.Caption), box);
    check->setObjectName(QString::fromStdString(p.Caption));
    check->setChecked(true);
    auto* combo = new QComboBox(box);
    combo->setObjectName(QString::fromStdString(p.Control));
    for (const auto& f : kSwitchFormulas) combo->addItem(f.Caption);
    combo->setCurrentIndex(static_cast<int>(p.Default));
    row->addWidget(check);
    row->addWidget(combo, 1);
    // The value past the last formula leaves the channel as it is.
    constexpr int unchanged = std::tuple_size_v<decltype(kSwitchFormulas)>;
    Bindings[p.Name] = {[check, combo] {
                          return double(check->isChecked() ? combo->currentIndex() : unchanged);
                        },
                        [check, combo](double v) {
                          check->setChecked(static_cast<int>(v) != unchanged);
                          if (static_cast<int>(v) != unchanged)
                            combo->setCurrentIndex(static_cast<int>(v));
                        }};
    return box;
  }
  ParamValues Current() const {
    ParamValues v = Values();
    v.Set("set-parameters-to", 0);  // the preset has already filled the lists
    return v;
  }
  editor::TBitmap ComputeEffect(const EffectInput& in) override {
    return Row.Run(in, Current(), Seed());
  }
};

// The filter check box and its track bar sit in a "Filter Noise" group between
// the labels "Noise" and "Smooth".
class TNoiseForm : public TParamEffectForm {
 public:
  using TParamEffectForm::TParamEffectForm;
  void Build() {
    Controls->addWidget(BuildControl(Row.Param("channel")));
    Controls->addWidget(BuildControl(Row.Param("intensity")));
    auto* group = new QGroupBox("Filter Noise", this);
    auto* col = new QVBoxLayout(group);
    QWidget* check = BuildControl(Row.Param("apply-filter"));
    check->setParent(group);
    col->addWidget(check);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Noise", group));
    QWidget* slider = BuildControl(Row.Param("filter"));
    slider->setParent(group);
    for (auto* label : slider->findChildren<QLabel*>()) label->hide();  // "Noise" and "Smooth" say it
    row->addWidget(slider, 1);
    row->addWidget(new QLabel("Smooth", group));
    col->addLayout(row);
    Controls->addWidget(group);
  }

 protected:
  // Seeded with the time of day rounded to whole days (0 before noon, 1 after),
  // so that Preview and OK give the same noise.
  uint32_t Seed() const override {
    double day = QTime::currentTime().msecsSinceStartOfDay() / 86400000.0;
    return static_cast<uint32_t>(std::nearbyint(day));
  }
};

}  // namespace

void AddToneForms(EffectFormFactories& factories) {
  factories.insert({
      {"TBrightnessForm", &MakeEffectForm<TBrightnessForm>},
      {"TGammaCorrectionForm", &MakeEffectForm<TGammaCorrectionForm>},
      {"THSVForm", &MakeEffectForm<THSVForm>},
      {"TSwitchColorsForm", &MakeEffectForm<TSwitchColorsForm>},
      {"TNoiseForm", &MakeEffectForm<TNoiseForm>},
  });
}

}  // namespace lumarte::effects
