#include "effects/model/EffectTable.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

#include "effects/model/FilterEffects.h"
#include "effects/model/FrequencyEffects.h"
#include "effects/model/InsertEffects.h"
#include "effects/model/Lighting.h"
#include "effects/model/PixelOps.h"
#include "effects/model/RetouchEffects.h"
#include "effects/model/ToneEffects.h"
#include "effects/model/Transforms.h"
#include "imaging/Errors.h"

namespace lumarte::effects {

double ParamValues::Get(const EffectParam& p) const {
  auto it = Values.find(p.Name);
  return it == Values.end() ? p.Default : it->second;
}

const EffectParam& EffectRow::Param(const std::string& name) const {
  for (const auto& p : Params)
    if (p.Name == name) return p;
  throw ELumarteError("Effect \"" + Name + "\" has no parameter \"" + name + "\"");
}

void CompleteRow(EffectRow& row) {
  if (row.Name.empty()) row.Name = CliName(row.Caption);
  for (EffectParam& p : row.Params) {
    if (p.Name.empty()) p.Name = CliName(p.Caption);
    if (!p.Choices.empty()) {
      p.Min = 0;
      p.Max = static_cast<double>(p.Choices.size()) - 1;
      p.Kind = p.ChoiceControls.empty() ? ControlKind::Combo : ControlKind::Radio;
    } else if (p.Kind == ControlKind::Check) {
      p.Min = 0;
      p.Max = 1;
    }
  }
}

void StoreParams(const EffectRow& row, const ParamValues& values, void* params) {
  for (const EffectParam& p : row.Params) {
    if (p.StoreText) {
      if (const std::string* text = values.Text(p.Name)) p.StoreText(params, *text);
      continue;
    }
    if (!p.Store) continue;
    const bool follows = !p.Follows.empty() && !values.Has(p.Name);
    p.Store(params, values.Get(follows ? row.Param(p.Follows) : p));
  }
  for (const EffectListParam& list : row.Lists)
    for (const std::string& text : values.ItemsOf(list.Name)) list.Store(params, text);
}

const std::vector<EffectRow>& EffectTable() {
  static const std::vector<EffectRow> table = [] {
    std::vector<EffectRow> rows;
    AddToneEffects(rows);
    AddFilterEffects(rows);
    AddPixelOpEffects(rows);
    AddTransformEffects(rows);
    AddFrequencyEffects(rows);
    AddRetouchEffects(rows);
    AddInsertEffects(rows);
    AddLightingEffects(rows);
    for (EffectRow& row : rows) CompleteRow(row);
    return rows;
  }();
  return table;
}

namespace {

// Correct spellings of the names that keep a caption's typo.
struct Alias {
  const char* Correct;
  const char* Name;
};
constexpr Alias kAliases[] = {{"hue-and-saturation", "hue-and-saturaton"},
                              {"atmosphere", "athmosphere"}};

}  // namespace

const EffectRow* FindEffect(const std::string& name) {
  std::string wanted = name;
  for (const auto& a : kAliases)
    if (name == a.Correct) wanted = a.Name;
  for (const auto& row : EffectTable())
    if (row.Name == wanted) return &row;
  return nullptr;
}

const EffectRow* FindEffectByMenuItem(const std::string& objectName) {
  for (const auto& row : EffectTable())
    for (const auto& item : row.MenuItems)
      if (item == objectName) return &row;
  return nullptr;
}

namespace {

// Captions that differ only in punctuation share a name; such choices are
// given by their number instead.
bool ChoiceNameIsUnique(const EffectParam& p, size_t i) {
  const std::string name = CliName(p.Choices[i]);
  for (size_t j = 0; j < p.Choices.size(); ++j)
    if (j != i && CliName(p.Choices[j]) == name) return false;
  return true;
}

std::string ChoiceName(const EffectParam& p, size_t i) {
  return ChoiceNameIsUnique(p, i) ? CliName(p.Choices[i]) : std::to_string(i);
}

}  // namespace

std::string CliName(const std::string& caption) {
  std::string out;
  bool gap = false;
  for (unsigned char c : caption) {
    if (std::isalnum(c)) {
      if (gap && !out.empty()) out += '-';
      out += static_cast<char>(std::tolower(c));
      gap = false;
    } else {
      gap = true;
    }
  }
  return out;
}

void ParseParam(const EffectRow& row, const std::string& assignment, ParamValues& values) {
  auto eq = assignment.find('=');
  if (eq == std::string::npos)
    throw ELumarteError("Expected name=value, got \"" + assignment + "\"");
  const EffectParam& p = row.Param(assignment.substr(0, eq));
  std::string text = assignment.substr(eq + 1);
  if (p.Kind == ControlKind::Text) {
    values.SetText(p.Name, std::move(text));
    return;
  }
  for (size_t i = 0; i < p.Choices.size(); ++i)
    if (CliName(p.Choices[i]) == text) {
      if (!ChoiceNameIsUnique(p, i))
        throw ELumarteError("\"" + text + "\" names several choices of " + p.Name +
                            "; give the choice's number");
      values.Set(p.Name, static_cast<double>(i));
      return;
    }
  char* end = nullptr;
  double v = std::strtod(text.c_str(), &end);
  // A choice is given by name or by its whole number.
  if (text.empty() || *end != 0 || (!p.Choices.empty() && v != static_cast<int>(v)))
    throw ELumarteError("Invalid value \"" + text + "\" for " + p.Name);
  if (v < p.Min || v > p.Max) {
    std::ostringstream s;
    s << "Value " << text << " for " << p.Name << " is outside " << p.Min << ".." << p.Max;
    throw ELumarteError(s.str());
  }
  values.Set(p.Name, v);
}

bool ParseListItem(const EffectRow& row, const std::string& list, const std::string& text,
                   ParamValues& values) {
  for (const EffectListParam& p : row.Lists)
    if (p.Name == list) {
      p.Check(text);
      values.AddItem(list, text);
      return true;
    }
  return false;
}

std::string DescribeEffect(const EffectRow& row) {
  std::ostringstream s;
  s << row.Name;
  for (const auto& a : kAliases)
    if (row.Name == a.Name) s << " (or " << a.Correct << ")";
  for (const auto& p : row.Params) {
    s << "  " << p.Name << "=";
    if (p.Kind == ControlKind::Text) {
      s << "TEXT";
    } else if (!p.Choices.empty()) {
      for (size_t i = 0; i < p.Choices.size(); ++i) s << (i ? "|" : "") << ChoiceName(p, i);
      s << " (default " << ChoiceName(p, static_cast<size_t>(p.Default)) << ")";
    } else {
      s << p.Min << ".." << p.Max << " (default " << p.Default << ")";
    }
  }
  for (const auto& list : row.Lists) s << "  [--" << list.Name << " " << list.Form << " ...]";
  return s.str();
}

}  // namespace lumarte::effects
