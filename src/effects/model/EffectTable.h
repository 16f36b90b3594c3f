#pragma once
// One row per effect: its name, parameters with captions, ranges and
// defaults, recompute policy and help page. The command line's --list and
// argument parsing and the dialogs' defaults all read these rows.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "effects/model/EffectInput.h"
#include "effects/model/EffectSession.h"

namespace lumarte::effects {

// How a parameter appears in its dialog.
enum class ControlKind { Slider, Radio, Combo, Check };

struct EffectParam {
  std::string Name;     // command-line name
  std::string Caption;  // the dialog control's caption
  double Min = 0, Max = 0, Default = 0;
  std::vector<std::string> Choices;  // captions of a choice; the value is the index
  ControlKind Kind = ControlKind::Slider;
  // Component names in the dialog (they are also the language file's keys):
  // the track bar, combo box or check box; its spin edit; one per radio button.
  std::string Control, Edit;
  std::vector<std::string> ChoiceControls;
};

// Parameter values by name; missing ones take their defaults.
class ParamValues {
 public:
  ParamValues() = default;
  explicit ParamValues(std::map<std::string, double> values) : Values(std::move(values)) {}
  double Get(const EffectParam& p) const;
  int Int(const EffectParam& p) const { return static_cast<int>(Get(p)); }
  bool Has(const std::string& name) const { return Values.count(name) > 0; }
  void Set(const std::string& name, double v) { Values[name] = v; }

 private:
  std::map<std::string, double> Values;
};

struct EffectRow {
  std::string Name;                   // command-line name, derived from the menu caption
  std::string Caption;                // the menu caption
  std::string FormName, FormCaption;  // the dialog's class name and window caption
  std::vector<EffectParam> Params;
  RecomputePolicy Policy = RecomputePolicy::Always;
  std::string HelpPage = "help.html";
  // Computes the effect; seed is the random generator's seed for effects that
  // draw. An empty raster means that nothing happens (see EffectInput).
  std::function<editor::TBitmap(const EffectInput&, const ParamValues&, uint32_t seed)> Run;

  // Object names of the menu items that open the dialog (or, for a row
  // without a dialog, run the effect at once).
  std::vector<std::string> MenuItems;

  const EffectParam& Param(const std::string& name) const;
};

const std::vector<EffectRow>& EffectTable();
// By command-line name, or by the correct spelling of a name that keeps a
// caption's typo ("hue-and-saturation" for "hue-and-saturaton").
const EffectRow* FindEffect(const std::string& name);

// "Adjust Brightness" -> "adjust-brightness": lower case, every run of other
// characters becomes one "-", none at either end.
std::string CliName(const std::string& caption);
// Parses "name=value" (a number or a choice's command-line name) into values;
// raises ELumarteError naming the problem.
void ParseParam(const EffectRow& row, const std::string& assignment, ParamValues& values);
// One line describing the effect's parameters, for --list.
std::string DescribeEffect(const EffectRow& row);

}  // namespace lumarte::effects
