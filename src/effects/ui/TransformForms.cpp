// The dialogs of the geometric transforms and distortions: what each adds
// to the controls its table row describes.
#include "effects/ui/TransformForms.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <tuple>
#include <QVBoxLayout>

#include "effects/model/Transforms.h"

namespace lumarte::effects {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

class TTransformForm : public TParamEffectForm {
 public:
  TTransformForm(const EffectRow& row, editor::DocumentList& documents, QWidget* parent)
      : TParamEffectForm(row, documents, parent), Docs(documents) {}

 protected:
  editor::DocumentList& Docs;

  // A spin edit alone, named and bound as the row says.
  QSpinBox* Spin(const EffectParam& p, QWidget* parent) { return SpinEdit(p, parent); }
  // A caption beside a control.
  QWidget* Labelled(const QString& caption, QWidget* control) {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(caption, box));
    control->setParent(box);
    row->addWidget(control, 1);
    return box;
  }
};

// The angle's track bar with a text field: an integer taken modulo 360 on
// Enter or on leaving the field; anything else puts the track bar's value back.
class TRotateForm : public TTransformForm {
 public:
  using TTransformForm::TTransformForm;
  QLineEdit* Edit1 = nullptr;
  QPushButton* RTSelectColorsButton = nullptr;
  // The colour-selection dialog, when the program has one.
  static std::function<void()>& SelectColors() {
    static std::function<void()> open;
    return open;
  }

  void Build() {
    BuildControls();
    RTSelectColorsButton = new QPushButton(">> Select Colors", this);
    RTSelectColorsButton->setObjectName("RTSelectColorsButton");
    RTSelectColorsButton->setEnabled(static_cast<bool>(SelectColors()));
    connect(RTSelectColorsButton, &QPushButton::clicked, this, [] {
      if (SelectColors()) SelectColors()();
    });
    Controls->addWidget(RTSelectColorsButton, 0, Qt::AlignLeft);
  }

 protected:
  QWidget* BuildControl(const EffectParam& p) override {
    if (p.Name != "angle") return TParamEffectForm::BuildControl(p);
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* slider = new QSlider(Qt::Horizontal, box);
    slider->setObjectName(Q(p.Control));
    slider->setRange(static_cast<int>(p.Min), static_cast<int>(p.Max));
    Edit1 = new QLineEdit("0", box);
    Edit1->setObjectName(Q(p.Edit));
    row->addWidget(slider, 1);
    row->addWidget(Edit1);
    connect(slider, &QSlider::valueChanged, this, [this, &p](int v) {
      Edit1->setText(QString::number(v));
      ControlChanged(p);
    });
    auto take = [this, slider] {
      if (auto angle = ParseAngle(Edit1->text().toStdString())) slider->setValue(*angle);
      Edit1->setText(QString::number(slider->value()));
    };
    connect(Edit1, &QLineEdit::editingFinished, this, take);
    Bindings[p.Name] = {[slider] { return double(slider->value()); },
                        [slider](double v) { slider->setValue(static_cast<int>(v)); }};
    return box;
  }
};

// "New Size:" starts at the image's size, which is also its minimum; the
// labels beside the sizes show the growth. Preview and OK fit the window to
// the new size (the effect session does that for every change of size).
class TEnlargeCanvasForm : public TTransformForm {
 public:
  using TTransformForm::TTransformForm;
  QSpinBox *WidthSpinEdit = nullptr, *HeightSpinEdit = nullptr;
  QLabel *WidthLabel = nullptr, *HeightLabel = nullptr;

  void Build() {
    auto* size = new QGroupBox("New Size:", this);
    auto* sizes = new QVBoxLayout(size);
    WidthSpinEdit = Spin(Row.Param("width"), size);
    HeightSpinEdit = Spin(Row.Param("height"), size);
    WidthLabel = new QLabel("+0", size);
    WidthLabel->setObjectName("WidthLabel");
    HeightLabel = new QLabel("+0", size);
    HeightLabel->setObjectName("HeightLabel");
    for (auto [spin, label, caption] : {std::tuple{WidthSpinEdit, WidthLabel, "Width:"},
                                        {HeightSpinEdit, HeightLabel, "Height:"}}) {
      auto* line = new QHBoxLayout;
      line->addWidget(Buddy(caption, spin, size));
      line->addWidget(spin, 1);
      line->addWidget(label);
      sizes->addLayout(line);
      connect(spin, &QSpinBox::valueChanged, this, [this] { ShowGrowth(); });
    }
    Controls->addWidget(size);
    AddAlignment("alignment", "offset", "Offset:");
    AddAlignment("vertical-alignment", "vertoffset", "Offset:");
  }

 protected:
  void showEvent(QShowEvent* e) override {
    const editor::TBitmap& image = *Docs.Current().Bitmap;
    for (auto [spin, current] :
         {std::pair{WidthSpinEdit, image.Width()}, {HeightSpinEdit, image.Height()}}) {
      spin->setMaximum(std::max(9999, current));
      spin->setMinimum(current);
      spin->setValue(current);
    }
    ShowGrowth();
    TTransformForm::showEvent(e);
  }

 private:
  void AddAlignment(const char* choice, const char* offset, const char* caption) {
    auto* group = BuildControl(Row.Param(choice));
    auto* line = new QHBoxLayout;
    QSpinBox* spin = Spin(Row.Param(offset), group);
    line->addWidget(Buddy(caption, spin, group));
    line->addWidget(spin, 1);
    static_cast<QVBoxLayout*>(group->layout())->addLayout(line);
    Controls->addWidget(group);
  }
  // A caption that names the field it stands beside (and gives it its
  // keyboard focus when clicked).
  static QLabel* Buddy(const char* caption, QSpinBox* spin, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(spin);
    return label;
  }
  void ShowGrowth() {
    if (!Docs.Current().Bitmap) return;
    const editor::TBitmap& image = *Docs.Current().Bitmap;
    WidthLabel->setText(Q(GrowthText(WidthSpinEdit->value(), image.Width())));
    HeightLabel->setText(Q(GrowthText(HeightSpinEdit->value(), image.Height())));
  }
};

// The offset is a spin edit of its own.
class TDistortionForm : public TTransformForm {
 public:
  using TTransformForm::TTransformForm;
  void Build() { BuildControls(); }

 protected:
  QWidget* BuildControl(const EffectParam& p) override {
    if (p.Name != "offset") return TParamEffectForm::BuildControl(p);
    return Labelled(Q(p.Caption), Spin(p, this));
  }
};

// The track bar sits between the labels "Pinch" and "Punch".
class TPinchPunchForm : public TTransformForm {
 public:
  using TTransformForm::TTransformForm;
  void Build() {
    BuildControls();
    auto* slider = Slider("position");
    auto* row = static_cast<QHBoxLayout*>(slider->parentWidget()->layout());
    row->insertWidget(0, new QLabel("Pinch", slider->parentWidget()));
    row->addWidget(new QLabel("Punch", slider->parentWidget()));
  }
};

}  // namespace

void SetRotateColourDialog(std::function<void()> open) {
  TRotateForm::SelectColors() = std::move(open);
}

void AddTransformForms(EffectFormFactories& factories) {
  factories.insert({
      {"TRotateForm", &MakeEffectForm<TRotateForm>},
      {"TEnlargeCanvasForm", &MakeEffectForm<TEnlargeCanvasForm>},
      {"TDistortionForm", &MakeEffectForm<TDistortionForm>},
      {"TPinchPunchForm", &MakeEffectForm<TPinchPunchForm>},
  });
}

}  // namespace lumarte::effects
