// The red-eye removal and buttonize dialogs: what each adds to the controls
// its table row describes.
#include "effects/ui/RetouchForms.h"

#include <QLabel>
#include <array>

#include "effects/model/RetouchEffects.h"
#include "effects/ui/SpinEffectForm.h"

namespace lumarte::effects {

namespace {

// Only advice: the effect has nothing to set.
class TRedEyeForm : public TParamEffectForm {
 public:
  using TParamEffectForm::TParamEffectForm;
  void Build() {
    const char* lines[] = {"Please select an area around the red eye ",
                           "before applying this effect.",
                           "Please note, this effect is still experimental. ",
                           "It often fails to detect the red eyes."};
    int n = 0;
    for (const char* line : lines) {
      const std::string name = "Label" + std::to_string(++n);
      Controls->addWidget(ui::Named(new QLabel(line, this), name.c_str()));
    }
  }
};

// The border size and bit plane count are spin edits; the border size
// starts from the image's size each time the dialog opens. OK applies the
// preview while the three values are those it was made with.
class TButtonizeForm : public TSpinEffectForm {
 public:
  TButtonizeForm(const EffectRow& row, editor::DocumentList& documents, QWidget* parent)
      : TSpinEffectForm(row, documents, parent), Docs(documents) {}
  void Build() {
    BuildControls();
    resize(320, 185);
  }

 protected:
  QWidget* BuildControl(const EffectParam& p) override {
    return p.Kind == ControlKind::Check ? TParamEffectForm::BuildControl(p) : SpinControl(p);
  }
  void showEvent(QShowEvent* e) override {
    const editor::TBitmap& image = *Docs.Current().Bitmap;
    SetValue("border-size", ButtonizeBorderSize(image.Width(), image.Height()));
    TParamEffectForm::showEvent(e);
  }
  void ControlChanged(const EffectParam&) override {
    Session.HasResult = Session.ResultBitmap && Current() == Previewed;
  }
  editor::TBitmap ComputeEffect(const EffectInput& in) override {
    Previewed = Current();
    return TParamEffectForm::ComputeEffect(in);
  }

 private:
  using Key = std::array<double, 3>;
  Key Current() const {
    const ParamValues v = Values();
    return {v.Get(Row.Param("border-size")), v.Get(Row.Param("posterize")),
            v.Get(Row.Param("bitplanes"))};
  }
  editor::DocumentList& Docs;
  Key Previewed{-1, -1, -1};
};

}  // namespace

void AddRetouchForms(EffectFormFactories& f) {
  f["TRedEyeForm"] = MakeEffectForm<TRedEyeForm>;
  f["TButtonizeForm"] = MakeEffectForm<TButtonizeForm>;
}

}  // namespace lumarte::effects
