#include "effects/model/ParamRows.h"

namespace lumarte::effects {

EffectParam Range(const std::string& name, const std::string& caption, double lo, double hi,
                  double def, const std::string& control, const std::string& edit) {
  EffectParam p;
  p.Name = name;
  p.Caption = caption;
  p.Min = lo;
  p.Max = hi;
  p.Default = def;
  p.Control = control;
  p.Edit = edit;
  return p;
}

EffectParam Check(const std::string& name, const std::string& caption, const std::string& control) {
  EffectParam p = Range(name, caption, 0, 1, 0, control);
  p.Kind = ControlKind::Check;
  return p;
}

EffectParam Choice(const std::string& name, const std::string& caption,
                   std::vector<std::string> choices, int def, const std::string& combo) {
  EffectParam p = Range(name, caption, 0, static_cast<double>(choices.size()) - 1, def, combo);
  p.Choices = std::move(choices);
  p.Kind = ControlKind::Combo;
  return p;
}

EffectParam Radio(const std::string& name, const std::string& caption,
                  std::vector<std::string> choices, std::vector<std::string> buttons, int def) {
  EffectParam p = Choice(name, caption, std::move(choices), def);
  p.Kind = ControlKind::Radio;
  p.ChoiceControls = std::move(buttons);
  return p;
}

}  // namespace lumarte::effects
