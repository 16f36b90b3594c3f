#pragma once
#include "effects/ui/EffectForms.h"

namespace lumarte::effects {

// The red-eye removal and buttonize dialogs.
void AddRetouchForms(EffectFormFactories& factories);

}  // namespace lumarte::effects
