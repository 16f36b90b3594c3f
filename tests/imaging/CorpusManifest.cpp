#include "imaging/CorpusManifest.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace lumarte::testing {

std::string TCorpusEntry::FullPath() const {
  return std::string(LUMARTE_CORPUS_DIR) + "/" + Path;
}

bool TCorpusEntry::ProbeSize(int& width, int& height) const {
  for (size_t i = 0; i < Probe.size(); ++i) {
    // A size starts a word: "v5x" or "8bpp" are no sizes.
    if (!std::isdigit(static_cast<unsigned char>(Probe[i])) ||
        (i > 0 && std::isalnum(static_cast<unsigned char>(Probe[i - 1]))))
      continue;
    if (std::sscanf(Probe.c_str() + i, "%dx%d", &width, &height) == 2) return true;
  }
  return false;
}

std::vector<TCorpusEntry> CorpusEntries(const std::string& format,
                                        const std::vector<std::string>& expects) {
  std::vector<TCorpusEntry> out;
  std::ifstream in(std::string(LUMARTE_CORPUS_DIR) + "/MANIFEST.tsv");
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    std::vector<std::string> col;
    std::stringstream s(line);
    for (std::string c; std::getline(s, c, '\t');) col.push_back(c);
    if (col.size() < 5 || col[1] != format) continue;
    if (std::find(expects.begin(), expects.end(), col[2]) == expects.end()) continue;
    out.push_back({col[0], col[1], col[2], col[3], col[4], col.size() > 5 && col[5] == "decodes"});
  }
  return out;
}

std::string CorpusTestName(const TCorpusEntry& entry) {
  std::string name;
  for (char c : entry.Path.substr(entry.Path.find('/') + 1))
    name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

}  // namespace lumarte::testing
