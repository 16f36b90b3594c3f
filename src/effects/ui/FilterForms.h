#pragma once
#include "effects/ui/EffectForms.h"

namespace lumarte::effects {

// The moving-average and motion-blur dialogs (sharpen needs nothing beyond
// its parameters).
void AddFilterForms(EffectFormFactories& factories);

}  // namespace lumarte::effects
