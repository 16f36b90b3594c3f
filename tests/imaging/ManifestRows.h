#pragma once
// Rows of the third-party corpus index (MANIFEST.tsv) for one format.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace lumarte::testing {

struct TManifestRow {
  std::string Path;    // relative to the corpus folder
  std::string Expect;  // valid, invalid, damaged, questionable, unsupported, ...
  std::string Probe;   // header facts, e.g. "ICO 1 entry: 8x8/1bpp/dib"
  // The cross-check column: whether ImageMagick 6 (with OpenJPEG 2.5.0)
  // decoded the file.
  bool ImageMagickDecodes = false;
};

inline std::string CorpusFile(const std::string& path) {
  return std::string(LUMARTE_CORPUS_DIR) + "/" + path;
}

// Rows of the format whose expectation is one of expects; empty when the
// corpus is missing.
inline std::vector<TManifestRow> ManifestRows(const std::string& format,
                                              const std::vector<std::string>& expects) {
  std::vector<TManifestRow> rows;
  std::ifstream in(CorpusFile("MANIFEST.tsv"));
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::stringstream split(line);
    for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
    if (cells.size() < 6 || cells[1] != format) continue;
    for (const auto& e : expects)
      if (cells[2] == e) rows.push_back({cells[0], cells[2], cells[3], cells[5] == "decodes"});
  }
  return rows;
}

// The first "WxH" in a probe text (the first image's size), or false.
inline bool ProbeSize(const std::string& probe, int& width, int& height) {
  for (size_t i = 0; i < probe.size(); ++i) {
    if (!isdigit(static_cast<unsigned char>(probe[i])) ||
        (i > 0 && isalnum(static_cast<unsigned char>(probe[i - 1]))))
      continue;
    if (std::sscanf(probe.c_str() + i, "%dx%d", &width, &height) == 2) return true;
  }
  return false;
}

// Test names may hold letters, digits and "_" only.
inline std::string TestNameOf(const std::string& path) {
  std::string name;
  for (char c : path) name += isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

}  // namespace lumarte::testing
