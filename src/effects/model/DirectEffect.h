#pragma once
// Menu commands that work at once, without a dialog: the effect is computed
// on the current document and applied as one undo step.
#include "editor/model/DocumentList.h"
#include "effects/model/EffectTable.h"

namespace lumarte::effects {

// Returns true when the result was applied (false after an abort or when the
// command had nothing to do). lastPressed is the last pressed image point.
bool ApplyEffectNow(editor::DocumentList& documents, const EffectRow& row,
                    const ParamValues& values = {}, ProgressReporter* progress = nullptr,
                    editor::TPoint lastPressed = {-1, -1});

}  // namespace lumarte::effects
