#include "effects/ui/EffectForms.h"

#include <algorithm>

#include "ui/ApplyLanguage.h"
#include "effects/ui/FilterForms.h"
#include "effects/ui/FrequencyForms.h"
#include "effects/ui/InsertForms.h"
#include "effects/ui/RetouchForms.h"
#include "effects/ui/LightingForms.h"
#include "effects/ui/ToneForms.h"
#include "effects/ui/TransformForms.h"

namespace lumarte::effects {

namespace {

// A dialog that shows the row's parameters and nothing more.
class TPlainForm : public TParamEffectForm {
 public:
  using TParamEffectForm::TParamEffectForm;
  void Build() { BuildControls(); }
};

const EffectFormFactories& Factories() {
  static const EffectFormFactories factories = [] {
    EffectFormFactories f;
    AddToneForms(f);
    AddFilterForms(f);
    AddTransformForms(f);
    AddFrequencyForms(f);
    AddRetouchForms(f);
    AddInsertForms(f);
    AddLightingForms(f);
    return f;
  }();
  return factories;
}

}  // namespace

std::unique_ptr<TParamEffectForm> CreateEffectForm(const EffectRow& row,
                                                   editor::DocumentList& documents,
                                                   QWidget* parent) {
  auto it = Factories().find(row.FormName);
  auto form = it == Factories().end() ? MakeEffectForm<TPlainForm>(row, documents, parent)
                                      : it->second(row, documents, parent);
  // Dialogs made after the language file was read take its texts too.
  ui::ApplyLanguageToForm(form.get());
  // As tall as its controls need, no empty band above the buttons.
  const QSize hint = form->sizeHint();
  form->resize(std::max(form->width(), hint.width()), hint.height());
  return form;
}

}  // namespace lumarte::effects
