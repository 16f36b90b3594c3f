#pragma once
// lumarte-cli apply: runs one effect of the effect table on an image file,
// optionally inside a selection, and writes the result.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "editor/model/ColorSet.h"
#include "editor/model/Selection.h"
#include "effects/model/EffectTable.h"

namespace lumarte::cli {

extern const char* const kApplyUsage;

struct TApplyRequest {
  std::vector<std::string> Inputs;
  std::string Output;     // the one output file, without -o
  std::string OutputDir;  // -o DIR: each result under its input's name
  const effects::EffectRow* Effect = nullptr;
  effects::ParamValues Values;
  editor::TSelectionClass Selection;  // nothing selected unless --select is given
  uint32_t Seed = 0;
  editor::TColorSet Colours;  // the program's defaults unless --fg, --bg or --pen
  std::string Paste;          // --paste: the picture Paste Insert takes
};

// Parses "rect:X1,Y1,X2,Y2", "circle:CX,CY,R" or "polygon:X,Y;X,Y;...".
// Returns "" or what is wrong.
std::string ParseSelection(const std::string& text, editor::TSelectionClass& selection);

// Parses the arguments after "apply". Returns "" or the usage error.
std::string ParseApply(const std::vector<std::string>& args, TApplyRequest& request);

// lumarte-cli apply IN OUT EFFECT [name=value ...] [--select ...] [--seed N]
// [--fg RRGGBB] [--bg RRGGBB] [--pen N], apply IN... -o DIR EFFECT ..., or
// apply --list: 0 done, 1 a file failed (the others are still done), 2 bad
// usage.
int RunApply(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace lumarte::cli
