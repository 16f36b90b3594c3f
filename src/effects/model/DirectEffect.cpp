#include "effects/model/DirectEffect.h"

#include "base/Random.h"

namespace lumarte::effects {

bool ApplyEffectNow(editor::DocumentList& documents, const EffectRow& row,
                    const ParamValues& values, ProgressReporter* progress,
                    editor::TPoint lastPressed) {
  // The program-wide generator goes on from where it stands.
  EffectSession session(documents, RecomputePolicy::Always,
                        [&](const EffectInput& in) { return row.Run(in, values, Rng().State); });
  session.Progress = progress;
  session.LastPressed = lastPressed;
  session.Show();
  return session.OKButtonClick();
}

}  // namespace lumarte::effects
