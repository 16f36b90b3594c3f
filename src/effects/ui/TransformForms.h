#pragma once
#include <functional>

#include "effects/ui/EffectForms.h"

namespace lumarte::effects {

// The rotate, enlarge canvas, distortion and pinch/punch dialogs.
void AddTransformForms(EffectFormFactories& factories);
// What the rotate dialog's ">> Select Colors" opens (the button is off
// until the program sets it).
void SetRotateColourDialog(std::function<void()> open);

}  // namespace lumarte::effects
