#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "editor/model/SaveFormats.h"

namespace lumarte::cli {

extern const char* const kConvertUsage;

struct TConvertRequest {
  std::vector<std::string> Inputs;
  std::string Output;     // the one output file, without -o
  std::string OutputDir;  // -o DIR
  std::string TargetExt;  // --to EXT, without the dot
  editor::TSaveOptions Options;
  unsigned Given = 0;  // option bits the user wrote (optBitsN for --bits N)
};

// Parses the arguments after "convert". Returns "" or the usage error.
std::string ParseConvert(const std::vector<std::string>& args, TConvertRequest& request);

// lumarte-cli convert IN OUT [options], or IN... -o DIR [--to EXT] [options]:
// 0 done, 1 a file failed (the others are still converted), 2 bad usage.
int RunConvert(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace lumarte::cli
