#pragma once
#include "effects/ui/EffectForms.h"

namespace lumarte::effects {

// The tone and colour adjustment dialogs.
void AddToneForms(EffectFormFactories& factories);

}  // namespace lumarte::effects
