#pragma once
// The WMF and EMF rows of the third-party corpus index (MANIFEST.tsv).
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace lumarte::testing {

struct TMetafileSample {
  std::string Path;    // relative to the corpus folder; empty: no corpus here
  std::string Expect;  // valid, invalid, unsupported, ...
  std::string Probe;   // "bounds 54x53 px, frame 14.5x14.3 mm, ..." or "placeable bbox 1369x1369
                       // @1200/inch; ..."
  std::string FullPath() const { return std::string(LUMARTE_CORPUS_DIR) + "/" + Path; }

  // The size the probe implies at 96 pixels per inch: an EMF's frame, a WMF's
  // placeable box. The probe's figures are rounded, so allow a pixel.
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

inline void PrintTo(const TMetafileSample& s, std::ostream* os) {
  *os << s.Path;
}

// The wmf and emf rows whose expectation is one of expects. Without the
// corpus, one row with an empty path, for a test that skips.
inline std::vector<TMetafileSample> MetafileSamples(const std::vector<std::string>& expects) {
  std::vector<TMetafileSample> rows;
  std::ifstream in(std::string(LUMARTE_CORPUS_DIR) + "/MANIFEST.tsv");
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> cols;
    std::stringstream fields(line);
    for (std::string c; std::getline(fields, c, '\t');) cols.push_back(c);
    if (cols.size() < 4 || (cols[1] != "wmf" && cols[1] != "emf")) continue;
    for (const std::string& e : expects)
      if (cols[2] == e) rows.push_back({cols[0], cols[2], cols[3]});
  }
  if (rows.empty()) rows.push_back({});
  return rows;
}

// A test name from the path's letters and digits.
template <class Info>
std::string SampleName(const Info& info) {
  std::string name;
  for (char c : info.param.Path) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name.empty() ? "NoCorpus" : name;
}

// Files whose damage lies in data the reader passes over unharmed: the
// corpus lists them as invalid for another decoder's sake.
inline bool DamageIsHarmlessHere(const std::string& path) {
  static const char* const harmless[] = {
      // An object selection that upset another reader; GDI ignores it and so do we.
      "emf/libemf2svg/corrupted/bad_corrupted_2014-12-07-140817.emf",
      // A mangled character inside a text string: shown as a replacement character.
      "emf/libemf2svg/corrupted/bad_corrupted_2016-02-02-210039.emf",
      // A broken EMF+ record inside a comment, which this reader skips.
      "emf/libemf2svg/corrupted/bad_corrupted_2017-02-12-010400.emf",
  };
  for (const char* h : harmless)
    if (path == h) return true;
  return false;
}

}  // namespace lumarte::testing
