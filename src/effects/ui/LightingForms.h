#pragma once
#include "effects/ui/EffectForms.h"

namespace lumarte::effects {

// The light and darkness and the stochastic luminance dialogs.
void AddLightingForms(EffectFormFactories& factories);

}  // namespace lumarte::effects
