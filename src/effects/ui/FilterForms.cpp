// The neighbourhood filter dialogs: what each adds to the controls its table
// row describes.
#include "effects/ui/FilterForms.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "effects/model/FilterEffects.h"

namespace lumarte::effects {

namespace {

// "(Unsharpen)" and "(Edge Detection)" beside the two radio buttons.
class TMovingAverageForm : public TParamEffectForm {
 public:
  using TParamEffectForm::TParamEffectForm;
  void Build() {
    BuildControls();
    const char* notes[][2] = {{"MAasLowPassRadioButton", "(Unsharpen)"},
                              {"MAasHighPassRadioButton", "(Edge Detection)"}};
    int n = 0;
    for (const auto& [button, text] : notes) {
      auto* radio = findChild<QRadioButton*>(button);
      auto* col = static_cast<QVBoxLayout*>(radio->parentWidget()->layout());
      col->removeWidget(radio);
      auto* line = new QHBoxLayout;
      auto* label = new QLabel(text, radio->parentWidget());
      label->setObjectName(QString("Label%1").arg(++n));
      line->addWidget(radio);
      line->addWidget(label, 1);
      col->insertLayout(n - 1, line);
    }
  }
};

// The direction picker: a press, or a drag with the left button, points the
// blur; a line from the centre shows the direction.
class TDirectionPicker : public QWidget {
 public:
  TDirectionPicker(QWidget* parent, std::function<void()> changed)
      : QWidget(parent), Changed(std::move(changed)) {
    setObjectName("Image2");
    setFixedSize(61, 61);
  }
  double Theta = 0;

  void SetTheta(double theta) {
    Theta = theta;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::black);
    p.drawLine(QPointF(width() / 2, height() / 2),
               QPointF((std::cos(Theta) + 1) * width() / 2, (std::sin(Theta) + 1) * height() / 2));
  }
  void mousePressEvent(QMouseEvent* e) override { Pick(e->position().toPoint(), false); }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (e->buttons() & Qt::LeftButton) Pick(e->position().toPoint(), true);
  }

 private:
  void Pick(QPoint at, bool drag) {
    if (auto theta = DirectionFromPoint(at.x() - width() / 2, at.y() - height() / 2, drag)) {
      SetTheta(*theta);
      Changed();
    }
  }
  std::function<void()> Changed;
};

class TMotionBlurForm : public TParamEffectForm {
 public:
  using TParamEffectForm::TParamEffectForm;
  void Build() { BuildControls(); }

 protected:
  QWidget* BuildControl(const EffectParam& p) override {
    if (p.Name != "direction") return TParamEffectForm::BuildControl(p);
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QString::fromStdString(p.Caption), box));
    auto* picker = new TDirectionPicker(box, [this, &p] { ControlChanged(p); });
    picker->SetTheta(p.Default);
    row->addWidget(picker);
    row->addStretch(1);
    Bindings[p.Name] = {[picker] { return picker->Theta; },
                        [this, picker, &p](double v) {
                          picker->SetTheta(v);
                          ControlChanged(p);
                        }};
    return box;
  }
};

}  // namespace

void AddFilterForms(EffectFormFactories& factories) {
  factories.insert({
      {"TMovingAverageForm", &MakeEffectForm<TMovingAverageForm>},
      {"TMotionBlurForm", &MakeEffectForm<TMotionBlurForm>},
  });
}

}  // namespace lumarte::effects
