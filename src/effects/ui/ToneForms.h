#pragma once
#include <memory>

#include "effects/ui/ParamEffectForm.h"

namespace lumarte::effects {

// Creates the dialog of an effect row (its class is named in the row).
std::unique_ptr<TParamEffectForm> CreateEffectForm(const EffectRow& row,
                                                   editor::DocumentList& documents,
                                                   QWidget* parent);

}  // namespace lumarte::effects
