#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "app/cli/SaveFormats.h"

namespace lumarte::cli {

struct TConvertRequest {
  std::string Input, Output;
  TSaveOptions Options;
  unsigned Given = 0;  // option bits the user wrote (optBitsN for --bits N)
};

// Parses the arguments after "convert". Returns "" or the usage error.
std::string ParseConvert(const std::vector<std::string>& args, TConvertRequest& request);

// lumarte-cli convert IN OUT [options]: 0 done, 1 decode/encode failure, 2 bad usage.
int RunConvert(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace lumarte::cli
