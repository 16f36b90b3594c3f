#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace lumarte::cli {

extern const char* const kGalleryUsage;

// lumarte-cli gallery OUTDIR IMAGES... | --set FILE.set [options] | --undo:
// the creator's run without its window. 0 done, 1 the run failed, 2 bad usage.
int RunGallery(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace lumarte::cli
