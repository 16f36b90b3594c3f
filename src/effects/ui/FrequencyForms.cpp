// The Fourier transform and wavelet dialogs: what each adds to the controls
// its table row describes.
#include "effects/ui/FrequencyForms.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>

namespace lumarte::effects {

namespace {

// Progress with the window kept hidden ("show Progress" off): pending events
// are still handled now and then, so Esc reaches the dialog and stops the
// computation.
class THiddenProgress : public ProgressReporter {
 public:
  explicit THiddenProgress(ProgressReporter& outer) : Outer(outer) {}
  void SetProgress(int, int, const std::string&, int) override {
    if (SinceEvents.isValid() && SinceEvents.elapsed() < 50) return;
    SinceEvents.restart();
    QCoreApplication::processEvents();
  }
  bool AbortRequested() const override { return Outer.AbortRequested(); }

 private:
  ProgressReporter& Outer;
  QElapsedTimer SinceEvents;
};

class TFourierTransformForm : public TParamEffectForm {
 public:
  using TParamEffectForm::TParamEffectForm;
  QCheckBox* showProgressCheckbox = nullptr;
  // "show Progress" belongs to the dialog, not to the effect.
  void Build() {
    BuildControls();
    showProgressCheckbox = new QCheckBox("show Progress", this);
    showProgressCheckbox->setObjectName("showProgressCheckbox");
    showProgressCheckbox->setChecked(true);
    connect(showProgressCheckbox, &QCheckBox::toggled, this, [this] { Session.Invalidate(); });
    Controls->addWidget(showProgressCheckbox);
  }

 protected:
  editor::TBitmap ComputeEffect(const EffectInput& in) override {
    const ParamValues v = Values();
    if (showProgressCheckbox->isChecked()) return Row.Run(in, v, Seed());
    THiddenProgress hidden(in.Progress);
    return Row.Run(EffectInput{in.Source, in.Selection, hidden, in.Colours, in.Shape,
                               in.LastPressed},
                   v, Seed());
  }
  // Esc during a computation is the Abort button of the hidden progress window.
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Escape && Session.Busy) {
      Session.Abort();
      return;
    }
    TParamEffectForm::keyPressEvent(e);
  }
};

// "Iterations" is a spin edit of its own.
class TWaveletForm : public TParamEffectForm {
 public:
  using TParamEffectForm::TParamEffectForm;
  void Build() { BuildControls(); }

 protected:
  QWidget* BuildControl(const EffectParam& p) override {
    if (p.Name != "iterations") return TParamEffectForm::BuildControl(p);
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* spin = new QSpinBox(box);
    spin->setObjectName(QString::fromStdString(p.Control));
    spin->setRange(static_cast<int>(p.Min), static_cast<int>(p.Max));
    spin->setValue(static_cast<int>(p.Default));
    auto* label = new QLabel(QString::fromStdString(p.Caption), box);
    label->setBuddy(spin);
    label->setFixedWidth(CaptionColumnWidth());
    row->addWidget(label);
    row->addWidget(spin);
    row->addStretch(1);
    connect(spin, &QSpinBox::valueChanged, this, [this, &p] { ControlChanged(p); });
    Bindings[p.Name] = {[spin] { return double(spin->value()); },
                        [spin](double v) { spin->setValue(static_cast<int>(v)); }};
    return box;
  }
};

}  // namespace

void AddFrequencyForms(EffectFormFactories& factories) {
  factories.insert({
      {"TFourierTransformForm", &MakeEffectForm<TFourierTransformForm>},
      {"TWaveletForm", &MakeEffectForm<TWaveletForm>},
  });
}

}  // namespace lumarte::effects
