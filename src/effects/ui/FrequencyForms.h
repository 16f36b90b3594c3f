#pragma once
#include "effects/ui/EffectForms.h"

namespace lumarte::effects {

// The Fourier transform and wavelet dialogs.
void AddFrequencyForms(EffectFormFactories& factories);

}  // namespace lumarte::effects
