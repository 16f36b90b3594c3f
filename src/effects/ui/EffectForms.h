#pragma once
// Makes the dialog an effect row names. Each family of dialogs adds its
// classes to the factory table; a row whose class is not listed gets the
// plain dialog built from its parameters.
#include <map>
#include <memory>
#include <string>

#include "effects/ui/ParamEffectForm.h"

namespace lumarte::effects {

using EffectFormFactory = std::unique_ptr<TParamEffectForm> (*)(const EffectRow&,
                                                                editor::DocumentList&, QWidget*);
using EffectFormFactories = std::map<std::string, EffectFormFactory>;

// The factory for dialog class Form: constructs it and calls its Build().
template <class Form>
std::unique_ptr<TParamEffectForm> MakeEffectForm(const EffectRow& row, editor::DocumentList& d,
                                                 QWidget* parent) {
  auto form = std::make_unique<Form>(row, d, parent);
  form->Build();
  return form;
}

// Creates the dialog of an effect row (its class is named in the row).
std::unique_ptr<TParamEffectForm> CreateEffectForm(const EffectRow& row,
                                                   editor::DocumentList& documents,
                                                   QWidget* parent);

}  // namespace lumarte::effects
