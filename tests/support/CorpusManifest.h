#pragma once
// Rows of the third-party corpus index (MANIFEST.tsv), for tests that run a
// reader over a format's files.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace lumarte::testing {

struct TCorpusEntry {
  std::string Path;    // relative to the corpus folder; empty: no corpus here
  std::string Format;  // bmp, png, wmf, ...
  std::string Expect;  // valid, invalid, damaged, questionable, unsupported, ...
  std::string Probe;   // header facts, e.g. "INFO 127x64 8bpp RGB"
  std::string Note;
  // The cross-check column: whether ImageMagick 6 (with OpenJPEG 2.5.0)
  // decoded the file.
  bool ImageMagickDecodes = false;

  std::string FullPath() const { return std::string(LUMARTE_CORPUS_DIR) + "/" + Path; }

  // The first "WxH" of the probe (the first image's size); false when none.
  bool ProbeSize(int& width, int& height) const {
    for (size_t i = 0; i < Probe.size(); ++i) {
      // A size starts a word: "v5x" or "8bpp" are no sizes.
      if (!std::isdigit(static_cast<unsigned char>(Probe[i])) ||
          (i > 0 && std::isalnum(static_cast<unsigned char>(Probe[i - 1]))))
        continue;
      if (std::sscanf(Probe.c_str() + i, "%dx%d", &width, &height) == 2) return true;
    }
    return false;
  }

  // The size a metafile's probe implies at 96 pixels per inch: an EMF's
  // frame ("frame 14.5x14.3 mm"), a WMF's placeable box ("bbox 1369x1369
  // @1200/inch"). The probe's figures are rounded, so allow a pixel.
  bool ExpectedSize(double& width, double& height) const {
    double a, b, inch;
    auto frame = Probe.find("frame ");
    if (frame != std::string::npos &&
        std::sscanf(Probe.c_str() + frame, "frame %lfx%lf mm", &a, &b) == 2) {
      width = a * 96 / 25.4, height = b * 96 / 25.4;
      return true;
    }
    auto box = Probe.find("bbox ");
    if (box != std::string::npos &&
        std::sscanf(Probe.c_str() + box, "bbox %lfx%lf @%lf", &a, &b, &inch) == 3) {
      width = a * 96 / inch, height = b * 96 / inch;
      return true;
    }
    return false;
  }
};

// Test output names the file, not the bytes of the record.
inline void PrintTo(const TCorpusEntry& e, std::ostream* os) {
  *os << e.Path;
}

// Entries of one format whose expectation is one of expects; empty when the
// corpus is not there.
inline std::vector<TCorpusEntry> CorpusEntries(const std::string& format,
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

// A test name made of the path's letters and digits (without the format folder).
inline std::string CorpusTestName(const TCorpusEntry& entry) {
  std::string name;
  for (char c : entry.Path.substr(entry.Path.find('/') + 1))
    name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

}  // namespace lumarte::testing
