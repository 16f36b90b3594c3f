#pragma once
// One row per effect: its name, parameters with captions, ranges and
// defaults, recompute policy and help page. The command line's --list and
// argument parsing and the dialogs' defaults all read these rows.
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "effects/model/EffectInput.h"
#include "effects/model/EffectSession.h"

namespace lumarte::effects {

// How a parameter appears in its dialog.
enum class ControlKind { Slider, Radio, Combo, Check, Text };

// Declared with designated initialisers and bound to a field of the effect's
// parameter struct with Field(). A choice's range comes from its captions.
struct EffectParam {
  std::string Caption;  // the dialog control's caption
  double Min = 0, Max = 0, Default = 0;
  std::vector<std::string> Choices;  // captions of a choice; the value is the index
  ControlKind Kind = ControlKind::Slider;
  // Component names in the dialog (they are also the language file's keys):
  // the track bar, combo box or check box; its spin edit; one per radio button.
  std::string Control, Edit;
  std::vector<std::string> ChoiceControls;
  // Command-line name; computed from the caption when not given.
  std::string Name;
  // When not given, the value is that of this other parameter.
  std::string Follows;
  // Writes a value into the parameter struct (set by Field).
  std::function<void(void* params, double value)> Store;
  // The same for a text parameter (Kind Text); without a value the field
  // keeps the struct's default.
  std::function<void(void* params, const std::string& text)> StoreText;
};

// A list the command line gives item by item, one repeated option
// "--Name TEXT" per item (a light source, a barrier). Bound to a vector field
// of the parameter struct with ListField, whose parser reads one item.
struct EffectListParam {
  std::string Name;  // the option without its "--"
  std::string Form;  // what the text holds, for --list
  // Raises ELumarteError for a text that is no item (set by ListField).
  std::function<void(const std::string& text)> Check;
  // Appends the item to the parameter struct's list (set by ListField).
  std::function<void(void* params, const std::string& text)> Store;
};

// Parameter values by name; missing ones take their defaults. List items
// are kept as their texts.
class ParamValues {
 public:
  ParamValues() = default;
  explicit ParamValues(std::map<std::string, double> values) : Values(std::move(values)) {}
  double Get(const EffectParam& p) const;
  int Int(const EffectParam& p) const { return static_cast<int>(Get(p)); }
  bool Has(const std::string& name) const { return Values.count(name) > 0; }
  void Set(const std::string& name, double v) { Values[name] = v; }
  void AddItem(const std::string& list, const std::string& text) { Items[list].push_back(text); }
  const std::vector<std::string>& ItemsOf(const std::string& list) const {
    static const std::vector<std::string> none;
    auto it = Items.find(list);
    return it == Items.end() ? none : it->second;
  }
  // Text parameters.
  const std::string* Text(const std::string& name) const {
    auto it = Texts.find(name);
    return it == Texts.end() ? nullptr : &it->second;
  }
  void SetText(const std::string& name, std::string v) { Texts[name] = std::move(v); }

 private:
  std::map<std::string, double> Values;
  std::map<std::string, std::vector<std::string>> Items;
  std::map<std::string, std::string> Texts;
};

using EffectRun =
    std::function<editor::TBitmap(const EffectInput&, const ParamValues&, uint32_t seed)>;

struct EffectRow {
  std::string Caption;                // the menu caption; the command-line name comes from it
  std::string FormName, FormCaption;  // the dialog's class name and window caption
  std::vector<EffectParam> Params;
  std::vector<EffectListParam> Lists;
  RecomputePolicy Policy = RecomputePolicy::Always;
  std::string HelpPage = "help.html";
  // Object names of the menu items that open the dialog (or, for a row
  // without a dialog, run the effect at once). Menus take these items'
  // captions and commands from the row.
  std::vector<std::string> MenuItems;
  // Computes the effect; seed is the random generator's seed for effects that
  // draw. An empty raster means that nothing happens (see EffectInput).
  EffectRun Run;
  // Command-line name: CliName(Caption) unless a family gives a longer one.
  std::string Name;

  const EffectParam& Param(const std::string& name) const;
};

// Binds a parameter to a field of the parameter struct P.
template <class P, class T>
EffectParam Field(T P::*field, EffectParam p) {
  p.Store = [field](void* params, double v) {
    T& target = static_cast<P*>(params)->*field;
    if constexpr (std::is_enum_v<T>)
      target = static_cast<T>(static_cast<int>(v));
    else if constexpr (std::is_same_v<T, bool>)
      target = v != 0;
    else
      target = static_cast<T>(v);
  };
  return p;
}

// A text parameter.
template <class P>
EffectParam Field(std::string P::*field, EffectParam p) {
  p.Kind = ControlKind::Text;
  p.StoreText = [field](void* params, const std::string& v) { static_cast<P*>(params)->*field = v; };
  return p;
}

// Binds a list to a vector field of P; parse reads one item from its text.
template <class P, class T>
EffectListParam ListField(std::vector<T> P::*field, EffectListParam p,
                          T (*parse)(const std::string&)) {
  p.Check = [parse](const std::string& text) { parse(text); };
  p.Store = [field, parse](void* params, const std::string& text) {
    (static_cast<P*>(params)->*field).push_back(parse(text));
  };
  return p;
}

// Fills in what a row's declaration leaves out: names from captions, the
// ranges of choices and check boxes.
void CompleteRow(EffectRow& row);
// Fills a P from the values through the parameters' fields.
void StoreParams(const EffectRow& row, const ParamValues& values, void* params);

// A row whose Run fills a P from the values and calls run with it.
template <class P>
EffectRow Effect(EffectRow row,
                 std::function<editor::TBitmap(const EffectInput&, const P&, uint32_t seed)> run) {
  CompleteRow(row);
  row.Run = [row, run](const EffectInput& in, const ParamValues& v, uint32_t seed) {
    P params{};
    StoreParams(row, v, &params);
    return run(in, params, seed);
  };
  return row;
}

const std::vector<EffectRow>& EffectTable();
// By command-line name, or by the correct spelling of a name that keeps a
// caption's typo ("hue-and-saturation" for "hue-and-saturaton").
const EffectRow* FindEffect(const std::string& name);

// The row that lists a menu item's object name, or null.
const EffectRow* FindEffectByMenuItem(const std::string& objectName);

// "Adjust Brightness" -> "adjust-brightness": lower case, every run of other
// characters becomes one "-", none at either end.
std::string CliName(const std::string& caption);
// Parses "name=value" (a number or a choice's command-line name) into values;
// raises ELumarteError naming the problem.
void ParseParam(const EffectRow& row, const std::string& assignment, ParamValues& values);
// Adds one item of the row's list option ("light" for --light); false when
// the row has no such list, ELumarteError when the text is no item.
bool ParseListItem(const EffectRow& row, const std::string& list, const std::string& text,
                   ParamValues& values);
// One line describing the effect's parameters, for --list.
std::string DescribeEffect(const EffectRow& row);

}  // namespace lumarte::effects
