#pragma once
// Short ways to write the parameters of effect table rows.
#include <string>
#include <vector>

#include "effects/model/EffectTable.h"

namespace lumarte::effects {

// A number from lo to hi with its track bar (or spin edit) and edit.
EffectParam Range(const std::string& name, const std::string& caption, double lo, double hi,
                  double def, const std::string& control = "", const std::string& edit = "");
// A check box: 0 or 1.
EffectParam Check(const std::string& name, const std::string& caption,
                  const std::string& control);
// One of the captions, chosen in a combo box; the value is the index.
EffectParam Choice(const std::string& name, const std::string& caption,
                   std::vector<std::string> choices, int def = 0, const std::string& combo = "");
// One of the captions, chosen with a radio button each.
EffectParam Radio(const std::string& name, const std::string& caption,
                  std::vector<std::string> choices, std::vector<std::string> buttons, int def = 0);

}  // namespace lumarte::effects
